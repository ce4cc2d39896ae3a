#include "driver/frame.h"

#include <cstring>

#include "driver/receiver.h"

uint8_t SequenceByte(uint8_t counter) {
    return static_cast<uint8_t>(counter % 95 + 0x20);
}

uint32_t ByteSum(std::string_view bytes) {
    uint32_t sum = 0;
    for (char byte : bytes)
        sum += static_cast<uint8_t>(byte);
    return sum;
}

std::string BuildCommandFrame(uint8_t sequence, uint8_t code, std::string_view data) {
    std::string frame;
    frame.reserve(data.size() + 10);
    frame += static_cast<char>(SOH);
    frame += static_cast<char>(data.size() + 4 + 0x20);
    frame += static_cast<char>(sequence);
    frame += static_cast<char>(code);
    frame += data;
    frame += static_cast<char>(ENQ);
    // The low 16 bits of the sum, one nibble per character, most significant first, each + 30h.
    const uint32_t sum = ByteSum(std::string_view(frame).substr(1));
    for (int shift = 12; shift >= 0; shift -= 4)
        frame += static_cast<char>(((sum >> shift) & 0xF) + 0x30);
    frame += static_cast<char>(ETX);
    return frame;
}

bool RawAnswerIsValid(const std::array<char, RawAnswerSize>& raw) {
    const size_t length = strnlen(raw.data(), raw.size());
    // Byte 8 must lie inside the text; anything behind its end is left over from an older answer.
    if (length < 9) return false;
    const auto at = [&raw](size_t index) { return static_cast<uint8_t>(raw[index]); };
    return at(0) == SOH && at(1) >= 0x30 && at(2) >= 0x20 && at(2) <= 0x7F && at(3) >= 0x20 && at(8) == ';' &&
           at(length - 1) == ETX && at(length - 6) == ENQ;
}
