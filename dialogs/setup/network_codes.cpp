#include "dialogs/setup/network_codes.h"

#include "platform/text/text.h"

namespace {
int Digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The first `count` characters as hexadecimal digits; nothing when one is not a digit.
std::optional<std::string> Digits(const std::string& field, size_t count) {
    if (field.size() < count) return std::nullopt;
    for (size_t i = 0; i < count; ++i)
        if (Digit(field[i]) < 0) return std::nullopt;
    return field.substr(0, count);
}

std::string Hex2(int value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}
} // namespace

std::optional<std::string> DecodePackedAddress(const std::string& field) {
    const auto digits = Digits(field, 8);
    if (!digits) return std::nullopt;
    std::string dotted;
    for (size_t i = 0; i < 8; i += 2) {
        if (i > 0) dotted += ".";
        dotted += std::to_string(Digit((*digits)[i]) * 16 + Digit((*digits)[i + 1]));
    }
    return dotted;
}

std::optional<int> DecodeSwappedWord(const std::string& field) {
    const auto d = Digits(field, 4);
    if (!d) return std::nullopt;
    return 4096 * Digit((*d)[2]) + 256 * Digit((*d)[3]) + 16 * Digit((*d)[0]) + Digit((*d)[1]);
}

std::optional<std::string> PackedAddress(const std::string& dotted) {
    std::string packed;
    size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = dotted.find('.', start);
        const bool last = part == 3;
        if (last != (dot == std::string::npos)) return std::nullopt; // not four parts
        const std::string text = dotted.substr(start, last ? std::string::npos : dot - start);
        if (text.empty()) return std::nullopt;
        const int value = DecimalStrToInt(text);
        if (value < 0 || value > 255) return std::nullopt;
        packed += Hex2(value);
        start = dot + 1;
    }
    return packed;
}

std::string SwappedWord(int value) {
    return Hex2(value & 0xFF) + Hex2((value >> 8) & 0xFF);
}
