#pragma once
// The register's side of the frames: reading command frames byte by byte and building answer
// frames. Bytes on the wire are CP1251; texts handed out are UTF-8.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/regsim/register_simulator.h"

namespace regsim {

inline constexpr uint8_t kSoh = 0x01, kEtx = 0x03, kEot = 0x04, kEnq = 0x05, kNak = 0x15, kSyn = 0x16;

// The four checksum characters of these bytes: the low 16 bits of their unsigned sum as four
// nibbles, most significant first, each plus 30h.
std::string ChecksumChars(std::string_view bytes);

struct AnswerFrameParts {
    uint8_t Seq = 0x20;
    uint8_t Code = 0;
    std::string Error;               // error field without its ";"
    std::string Data;                // CP1251 bytes
    std::array<uint8_t, 6> Status{}; // exactly as sent
};
// SOH, LEN (data size + 30h, low byte), SEQ, CMD, error field, ";", data, EOT, status, ENQ, checksum, ETX.
std::string BuildAnswerFrame(const AnswerFrameParts& parts);

// Collects command frames from a byte stream. Bytes outside a frame (before its SOH) are dropped;
// a frame whose LEN, ENQ, checksum or ETX is wrong comes out with WellFormed false.
class CommandFrameReader {
public:
    // The frame that this byte completed, if any.
    std::optional<ReceivedFrame> Push(uint8_t byte);
    // Gives up the frame begun so far (the sender went quiet); nullopt when none was begun.
    std::optional<ReceivedFrame> Abandon();
    bool InFrame() const { return !raw_.empty(); }

private:
    std::optional<ReceivedFrame> Finish();
    std::string raw_;
    size_t expected_ = 0; // total frame size once LEN is known
};

// The frame as the answer override asks: checksum spoiled, cut short, SYN bytes put in, or replaced.
std::string ApplyByteChanges(std::string frame, const AnswerOverride& change);

} // namespace regsim
