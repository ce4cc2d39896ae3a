#pragma once
// The data texts of the fiscal-memory commands and the blocks they carry: at most 50 bytes, as
// upper-case hexadecimal, two digits a byte, most significant digit first.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kMemoryBlockSize = 50;
inline constexpr unsigned kClearMemory = 0xF0, kReadMemory = 0xF1, kWriteMemory = 0xF2;

// "password;"
std::string ClearMemoryData(const std::string& password);
// "password;address;"
std::string ReadMemoryData(const std::string& password, int64_t address);
// "password;address;count;hex;" with the hex padded by "0" to 100 characters.
std::string WriteMemoryData(const std::string& password, int64_t address, const std::vector<uint8_t>& block);

// The byte count of a read answer (field 1): a decimal number of 0 to 50, else nothing.
std::optional<int> BlockByteCount(const std::string& field);

// The first `count` bytes of a read answer's hex text (field 2). Decoding stops at the first
// character that is not "0"-"9" or "A"-"F" (the end of the text included): Bytes then holds the
// bytes before it and Whole is false.
struct DecodedBlock {
    std::vector<uint8_t> Bytes;
    bool Whole = true;
};
DecodedBlock DecodeBlock(const std::string& hex, int count);
