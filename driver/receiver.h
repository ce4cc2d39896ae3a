#pragma once
// The receiver of answer frames: a state machine fed one byte at a time. Internal to the driver
// (the link and the fuzz target feed it); windows read its results through the answer record.
#include <array>
#include <cstddef>
#include <cstdint>

#include "driver/answer_record.h"

// Control bytes of the register's frames.
constexpr uint8_t SOH = 0x01;
constexpr uint8_t ETX = 0x03;
constexpr uint8_t EOT = 0x04;
constexpr uint8_t ENQ = 0x05;
constexpr uint8_t NAK = 0x15;
constexpr uint8_t SYN = 0x16;

enum ReceiveStateId : uint8_t {
    RxStart,
    RxLength,
    RxSequence,
    RxCommand,
    RxErrorField,
    RxData,
    RxStatusStart,
    RxStatus,
    RxChecksumStart,
    RxChecksum,
    RxEnd,
};

// Error flags of an answer.
constexpr uint8_t RxChecksumMismatch = 1;
constexpr uint8_t RxNakReceived = 4;
constexpr uint8_t RxEtxBeforeChecksum = 8;

// Answer data never exceeds CFh bytes (LEN is at most FFh, minus 30h); the buffer has room to spare.
constexpr size_t AnswerDataSize = 256;
constexpr size_t StatusByteCount = 6;
constexpr size_t ChecksumDigits = 4;

class Receiver {
public:
    // Every byte except SYN is appended to raw, NUL after it; at most raw.size() - 1 bytes are kept.
    explicit Receiver(std::array<char, RawAnswerSize>& raw) : raw_(raw) {}

    // Before each frame is sent: the status bytes, flags, SYN count and data text start empty.
    void BeginExchange();
    // After each exchange: the next answer's raw bytes are written from the start again.
    void EndExchange();
    // One byte read from the port.
    void Feed(uint8_t byte);

    uint8_t ReceiveState = RxStart;
    bool Complete = false;   // ETX closed the frame or a NAK came
    bool FrameEnded = false; // the final state was reached
    uint8_t ErrorFlags = 0;
    long SynCount = 0;

    uint8_t DataLength = 0; // LEN - 30h
    uint8_t Sequence = 0;   // SEQ - 20h
    uint8_t Command = 0;
    std::array<char, ErrorFieldSize> ErrorText{}; // NUL-terminated; kept until the next command byte
    std::array<uint8_t, AnswerDataSize> Data{};
    size_t DataCount = 0;
    std::array<uint8_t, StatusByteCount> Status{};
    uint32_t Sum = 0;         // running checksum of LEN..ENQ
    uint32_t ReceivedSum = 0; // the frame's four checksum characters

private:
    void Dispatch(uint8_t byte);
    void KeepRaw(uint8_t byte);
    void OnStart(uint8_t byte);
    void OnLength(uint8_t byte);
    void OnSequence(uint8_t byte);
    void OnCommand(uint8_t byte);
    void OnErrorField(uint8_t byte);
    void OnData(uint8_t byte);
    void OnStatusStart(uint8_t byte);
    void OnStatus(uint8_t byte);
    void OnChecksumStart(uint8_t byte);
    void OnChecksum(uint8_t byte);
    void OnEnd(uint8_t byte);

    std::array<char, RawAnswerSize>& raw_;
    size_t rawPos_ = 0;
    size_t errorPos_ = 0;
    size_t statusPos_ = 0;
    size_t checksumPos_ = 0;
};
