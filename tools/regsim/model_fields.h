#pragma once
// Reading the fields of a command and writing those of an answer, for the model's handlers.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace regsim {

inline std::string TwoHex(int value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// A whole decimal integer (an optional "-" and digits, nothing else).
template <class Int> bool ParseInt(const std::string& text, Int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && ptr == end;
}

// Hexadecimal digits only (either case), at most `maxDigits` of them.
inline bool ParseHex(const std::string& text, size_t maxDigits, int& value) {
    if (text.empty() || text.size() > maxDigits) return false;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value, 16);
    return error == std::errc() && ptr == end && value >= 0;
}

// Exactly `count` decimal digits; their value.
inline bool ParseDigits(const std::string& text, size_t count, int& value) {
    if (text.size() != count) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return ParseInt(text, value);
}

inline std::string Field(const std::vector<std::string>& fields, size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

inline std::string JoinFields(const std::vector<std::string>& fields) {
    std::string data;
    for (const std::string& field : fields)
        data += field + ";";
    return data;
}

} // namespace regsim
