// CP1251 <-> UTF-8 and counting UTF-8 text by characters.
#include "platform/text/text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Code points of the bytes 80h..BFh; C0h..FFh are the contiguous А..я (U+0410..U+044F).
// 98h has no character and keeps its C1 code point, so every byte round-trips.
constexpr std::array<char32_t, 64> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t Cp1251CodePoint(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte < 0xC0) return UpperHalf[byte - 0x80];
    return 0x0410 + (byte - 0xC0);
}

std::optional<unsigned char> Cp1251Byte(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
    const auto* found = std::find(UpperHalf.begin(), UpperHalf.end(), codePoint);
    if (found == UpperHalf.end()) return std::nullopt;
    return static_cast<unsigned char>(0x80 + (found - UpperHalf.begin()));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct Decoded {
    char32_t codePoint;
    size_t length; // bytes used; 1 for an invalid byte
    bool valid;
};

// One character at pos; rejects overlong forms, surrogates and values above U+10FFFF.
Decoded DecodeUtf8At(std::string_view s, size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) return {lead, 1, true};
    size_t length = 0;
    char32_t cp = 0, minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {0, 1, false};
    }
    if (pos + length > s.size()) return {0, 1, false};
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) return {0, 1, false};
        cp = (cp << 6) | (next & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < minimum || cp > 0x10FFFF || surrogate) return {0, 1, false};
    return {cp, length, true};
}

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        AppendUtf8(out, Cp1251CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = DecodeUtf8At(text, pos);
        const auto byte = d.valid ? Cp1251Byte(d.codePoint) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
        pos += d.length;
    }
    return out;
}

std::optional<std::string> Utf8ToCp1251Exact(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = DecodeUtf8At(text, pos);
        const auto byte = d.valid ? Cp1251Byte(d.codePoint) : std::nullopt;
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
        pos += d.length;
    }
    return out;
}

namespace {

char16_t Utf16UnitAt(std::string_view bytes, size_t pos, bool bigEndian) {
    const auto first = static_cast<unsigned char>(bytes[pos]);
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

void AppendUtf16Unit(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool* exact) {
    std::string out;
    out.reserve(bytes.size());
    bool whole = bytes.size() % 2 == 0;
    for (size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        char32_t cp = Utf16UnitAt(bytes, pos, bigEndian);
        const bool paired = IsHighSurrogate(cp) && pos + 3 < bytes.size() &&
                            IsLowSurrogate(Utf16UnitAt(bytes, pos + 2, bigEndian));
        if (paired) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (Utf16UnitAt(bytes, pos + 2, bigEndian) - 0xDC00);
            pos += 2;
        } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
            cp = 0xFFFD;
            whole = false;
        }
        AppendUtf8(out, cp);
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, 0xFFFD);
    if (exact) *exact = whole;
    return out;
}

std::optional<std::string> Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = DecodeUtf8At(text, pos);
        if (!d.valid) return std::nullopt;
        if (d.codePoint < 0x10000) {
            AppendUtf16Unit(out, static_cast<char16_t>(d.codePoint), bigEndian);
        } else {
            const char32_t rest = d.codePoint - 0x10000;
            AppendUtf16Unit(out, static_cast<char16_t>(0xD800 + (rest >> 10)), bigEndian);
            AppendUtf16Unit(out, static_cast<char16_t>(0xDC00 + (rest & 0x3FF)), bigEndian);
        }
        pos += d.length;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const Decoded d = DecodeUtf8At(bytes, pos);
        if (!d.valid) return false;
        pos += d.length;
    }
    return true;
}

std::string FileTextToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp1251ToUtf8(bytes);
}

// An invalid byte counts as one character, so counting and cutting never lose bytes of valid text.
size_t CharCount(std::string_view utf8) {
    size_t count = 0;
    for (size_t pos = 0; pos < utf8.size(); ++count)
        pos += DecodeUtf8At(utf8, pos).length;
    return count;
}

std::string CharLeft(std::string_view utf8, size_t count) {
    size_t pos = 0;
    for (size_t taken = 0; taken < count && pos < utf8.size(); ++taken)
        pos += DecodeUtf8At(utf8, pos).length;
    return std::string(utf8.substr(0, pos));
}
