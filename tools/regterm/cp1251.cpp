#include "tools/regterm/cp1251.h"

#include <map>

namespace regterm {

namespace {

// The letters outside А..я and the sign that terminals print in bank and card texts.
const std::map<char32_t, unsigned char> kOthers = {
    {U'Ё', 0xA8}, {U'ё', 0xB8}, {U'Є', 0xAA}, {U'є', 0xBA}, {U'І', 0xB2}, {U'і', 0xB3},
    {U'Ї', 0xAF}, {U'ї', 0xBF}, {U'Ґ', 0xA5}, {U'ґ', 0xB4}, {U'№', 0xB9},
};

// The code point at pos and its length in bytes; length 0 for bad UTF-8 (overlong forms included).
std::pair<char32_t, size_t> Decode(const std::string& text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || pos + length > text.size()) return {0, 0};
    char32_t cp = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        cp = cp << 6 | (next & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000)) return {0, 0};
    return {cp, length};
}

} // namespace

std::optional<std::string> Utf8ToCp1251(const std::string& text) {
    std::string bytes;
    for (size_t pos = 0; pos < text.size();) {
        const auto [cp, length] = Decode(text, pos);
        if (length == 0) return std::nullopt;
        pos += length;
        if (cp < 0x80) {
            bytes += static_cast<char>(cp);
        } else if (cp >= U'А' && cp <= U'я') {
            bytes += static_cast<char>(0xC0 + (cp - U'А'));
        } else if (const auto found = kOthers.find(cp); found != kOthers.end()) {
            bytes += static_cast<char>(found->second);
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

} // namespace regterm
