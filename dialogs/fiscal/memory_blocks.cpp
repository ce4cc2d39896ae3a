#include "dialogs/fiscal/memory_blocks.h"

#include <charconv>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string ClearMemoryData(const std::string& password) {
    return password + ";";
}

std::string ReadMemoryData(const std::string& password, int64_t address) {
    return password + ";" + std::to_string(address) + ";";
}

std::string WriteMemoryData(const std::string& password, int64_t address, const std::vector<uint8_t>& block) {
    std::string hex;
    for (uint8_t byte : block) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0x0F];
    }
    hex.resize(2 * kMemoryBlockSize, '0');
    return password + ";" + std::to_string(address) + ";" + std::to_string(block.size()) + ";" + hex + ";";
}

std::optional<int> BlockByteCount(const std::string& field) {
    int count = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, error] = std::from_chars(field.data(), end, count);
    if (field.empty() || field[0] == '-' || error != std::errc() || ptr != end || count > kMemoryBlockSize)
        return std::nullopt;
    return count;
}

DecodedBlock DecodeBlock(const std::string& hex, int count) {
    DecodedBlock block;
    for (int i = 0; i < count; ++i) {
        const size_t high = 2 * static_cast<size_t>(i);
        const int low = high + 1 < hex.size() ? HexValue(hex[high + 1]) : -1;
        const int top = high < hex.size() ? HexValue(hex[high]) : -1;
        if (low < 0 || top < 0) {
            block.Whole = false;
            break;
        }
        block.Bytes.push_back(static_cast<uint8_t>(top * 16 + low));
    }
    return block;
}
