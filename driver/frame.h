#pragma once
// Command frames as the register reads them, and the shape check of an answer. Internal to the driver.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/answer_record.h"

// LEN = data length + 4 + 20h must fit in one byte.
constexpr size_t MaxCommandDataLength = 219;

// The SEQ byte for a counter value: 20h to 7Eh.
uint8_t SequenceByte(uint8_t counter);

// Unsigned sum of the bytes, as LEN..ENQ of a frame are summed.
uint32_t ByteSum(std::string_view bytes);

// SOH LEN SEQ CMD data ENQ c1 c2 c3 c4 ETX; data already in CP1251, at most MaxCommandDataLength bytes.
std::string BuildCommandFrame(uint8_t sequence, uint8_t code, std::string_view data);

// The shape of a whole answer frame in the raw bytes (read as a NUL-terminated text).
bool RawAnswerIsValid(const std::array<char, RawAnswerSize>& raw);
