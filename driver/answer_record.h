#pragma once
// The driver's single answer record, overwritten by every exchange with the register.
#include <array>
#include <cstdint>
#include <string>

// StatusWord transport forms; any other value is the OR of the bits mapped from the status bytes.
constexpr uint32_t StatusNoAnswer = 0x04000000; // no complete answer (neither ETX nor NAK)
constexpr uint32_t StatusNak = 0x02000000;
constexpr uint32_t StatusChecksum = 0x01000000;
// Not a form the register can cause: the driver refused the command (an argument, or data longer than
// a frame carries) and nothing went out.
constexpr uint32_t StatusNotSent = 0x80000000;

constexpr size_t AnswerFieldSlots = 20;
constexpr size_t ErrorFieldSize = 20; // 19 characters and the end of text
constexpr size_t RawAnswerSize = 300;

struct AnswerRecord {
    uint32_t FieldCount = 0;
    uint32_t SentCode = 0;
    uint32_t StatusWord = 0;
    std::string Description; // description of SentCode, "Неверная команда" when it has none
    std::string SentData;    // data text of the last command as sent (UTF-8)
    std::string DataCopy;    // answer data as received, before fix-ups and split (UTF-8)
    std::string ErrorField;  // normally four hexadecimal digits; "0000" is success
    std::array<std::string, AnswerFieldSlots> Fields; // answer data split at ";" (UTF-8)
    std::array<uint8_t, 6> StatusBytes{};             // S0..S5 with bit 7 cleared
    std::string SentFrame;                            // the command frame as written (CP1251 bytes)
    std::array<char, RawAnswerSize> RawAnswer{};      // bytes received except SYN, NUL after each byte

    // Answer field n, counted from 1; an empty text outside 1..20.
    const std::string& Field(int n) const;
    bool NoAnswer() const { return (StatusWord & StatusNoAnswer) != 0; }
    bool Refused() const { return (StatusWord & StatusNak) != 0; }
    bool ChecksumFailed() const { return (StatusWord & StatusChecksum) != 0; }
    bool NotSent() const { return (StatusWord & StatusNotSent) != 0; }
    // An intact answer frame came. Otherwise ErrorField is stale (no answer, NAK), untrustworthy
    // (bad checksum) or empty (not sent) and must not be read as the register's verdict.
    bool Answered() const {
        return (StatusWord & (StatusNoAnswer | StatusNak | StatusChecksum | StatusNotSent)) == 0;
    }
    bool Succeeded() const { return Answered() && ErrorField == "0000"; }

    // The answer of a command that never went out: StatusNotSent, and nothing of the previous answer
    // (error field, fields, status bytes, frame) left to pass for this command's. RawAnswer stays, as
    // the receiver owns it between exchanges.
    void MarkNotSent();
};

// The OR of the StatusWord bits mapped from the six status bytes (bits 6 and 7 and S3 map nothing).
uint32_t StatusWordFromBytes(const std::array<uint8_t, 6>& statusBytes);
