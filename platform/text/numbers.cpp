// The library's number conversions. Formatting and parsing are done by hand or with std::to_chars /
// std::from_chars, so the process locale (which the GUI toolkit sets) never changes a result.
#include "platform/text/convert_error.h"
#include "platform/text/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

char DecimalSeparator = ',';

namespace {

const char* const InvalidInteger = "'%s' is not a valid integer value";
const char* const InvalidFloat = "'%s' is not a valid floating point value";

struct ParsedInteger {
    uint64_t magnitude = 0;
    bool negative = false;
    bool hex = false;
};

int DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Leading blanks, an optional sign, "$", "x" or "0x" for hexadecimal, then only digits to the end.
// Nullopt when the text does not have that shape or the magnitude exceeds 64 bits.
std::optional<ParsedInteger> ParseInteger(const std::string& text) {
    ParsedInteger result;
    size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) return std::nullopt;
    if (text[pos] == '+' || text[pos] == '-') result.negative = text[pos++] == '-';
    if (text.compare(pos, 1, "$") == 0 || text.compare(pos, 1, "x") == 0 || text.compare(pos, 1, "X") == 0) {
        result.hex = true, pos += 1;
    } else if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
        result.hex = true, pos += 2;
    }
    const int base = result.hex ? 16 : 10;
    if (pos >= text.size()) return std::nullopt;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) return std::nullopt;
        if (result.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / base) return std::nullopt;
        result.magnitude = result.magnitude * base + digit;
    }
    return result;
}

// Decimal values must fit the signed type; hexadecimal ones may use every bit (FFFFFFFF is -1).
template <typename Signed> std::optional<Signed> FitInteger(const ParsedInteger& parsed) {
    using Unsigned = std::make_unsigned_t<Signed>;
    const uint64_t positiveLimit = static_cast<uint64_t>(std::numeric_limits<Signed>::max());
    const uint64_t limit =
        parsed.hex ? std::numeric_limits<Unsigned>::max() : positiveLimit + (parsed.negative ? 1 : 0);
    if (parsed.magnitude > limit) return std::nullopt;
    auto bits = static_cast<Unsigned>(parsed.magnitude);
    if (parsed.negative) bits = static_cast<Unsigned>(Unsigned{0} - bits);
    return static_cast<Signed>(bits);
}

template <typename Signed> Signed ConvertInteger(const std::string& text) {
    const auto parsed = ParseInteger(text);
    const auto value = parsed ? FitInteger<Signed>(*parsed) : std::nullopt;
    if (!value) RaiseConvertError(InvalidInteger, text);
    return *value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(const std::string& text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

// Blanks, sign, digits with the program's separator, an exponent, blanks: rewritten with "." for
// std::from_chars, or nullopt when the text has another shape.
std::optional<std::string> NormalizeFloat(const std::string& text, char separator) {
    std::string normalized;
    size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) return std::nullopt;
    if (text[pos] == '+' || text[pos] == '-') normalized += text[pos++];
    const size_t integerEnd = SkipDigits(text, pos);
    normalized.append(text, pos, integerEnd - pos);
    pos = integerEnd;
    if (pos < text.size() && text[pos] == separator) {
        const size_t fractionEnd = SkipDigits(text, pos + 1);
        normalized += '.';
        normalized.append(text, pos + 1, fractionEnd - pos - 1);
        pos = fractionEnd;
    }
    if (std::none_of(normalized.begin(), normalized.end(), IsDigit)) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        normalized += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) normalized += text[pos++];
        const size_t exponentEnd = SkipDigits(text, pos);
        if (exponentEnd == pos) return std::nullopt;
        normalized.append(text, pos, exponentEnd - pos);
        pos = exponentEnd;
    }
    if (text.find_first_not_of(' ', pos) != std::string::npos) return std::nullopt;
    return normalized;
}

// Too large is an error; too small to hold is zero.
std::optional<double> ParseNormalizedFloat(const std::string& normalized) {
    const bool negative = !normalized.empty() && normalized[0] == '-';
    const char* first = normalized.data() + ((negative || normalized[0] == '+') ? 1 : 0);
    const char* last = normalized.data() + normalized.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched on a range error: decide by the written exponent.
        const size_t e = normalized.find('e');
        const bool tiny = e != std::string::npos && normalized.find('-', e) != std::string::npos;
        if (!tiny) return std::nullopt;
        value = 0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

struct Decimal {
    std::string digits; // significant digits, no trailing zeros
    int exponent = 0;   // value = 0.digits * 10^exponent
};

// The value rounded to `digits` significant digits.
Decimal ToDecimal(double magnitude, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, digits - 1);
    const std::string text(buffer, result.ptr);
    const size_t e = text.find('e');
    Decimal decimal;
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.') decimal.digits += text[i];
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    decimal.exponent = std::stoi(text.substr(e + 1)) + 1;
    return decimal;
}

std::string FixedNotation(const Decimal& d, char separator) {
    const int length = static_cast<int>(d.digits.size());
    if (d.exponent <= 0) return std::string("0") + separator + std::string(-d.exponent, '0') + d.digits;
    if (d.exponent >= length) return d.digits + std::string(d.exponent - length, '0');
    return d.digits.substr(0, d.exponent) + separator + d.digits.substr(d.exponent);
}

std::string ExponentNotation(const Decimal& d, char separator) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1) text += separator + d.digits.substr(1);
    return text + "E" + std::to_string(d.exponent - 1);
}

} // namespace

int StrToInt(const std::string& text) {
    return ConvertInteger<int32_t>(text);
}

int StrToIntDef(const std::string& text, int fallback) {
    const auto parsed = ParseInteger(text);
    const auto value = parsed ? FitInteger<int32_t>(*parsed) : std::nullopt;
    return value.value_or(fallback);
}

std::optional<int> TryDecimalStrToInt(const std::string& text) {
    const size_t digits = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (digits == text.size() || !std::all_of(text.begin() + digits, text.end(), IsDigit))
        return std::nullopt;
    const auto parsed = ParseInteger(text);
    return parsed ? FitInteger<int32_t>(*parsed) : std::nullopt;
}

int DecimalStrToInt(const std::string& text) {
    const auto value = TryDecimalStrToInt(text);
    if (!value) RaiseConvertError(InvalidInteger, text);
    return *value;
}

int64_t StrToInt64(const std::string& text) {
    return ConvertInteger<int64_t>(text);
}

std::optional<double> TryStrToFloat(const std::string& text, char separator) {
    const auto normalized = NormalizeFloat(text, separator);
    return normalized ? ParseNormalizedFloat(*normalized) : std::nullopt;
}

double StrToFloat(const std::string& text) {
    const auto value = TryStrToFloat(text, DecimalSeparator);
    if (!value) RaiseConvertError(InvalidFloat, text);
    return *value;
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string CountOf(int64_t count, const char* one, const char* few, const char* many) {
    const uint64_t size = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    const uint64_t lastTwo = size % 100, last = size % 10;
    const char* noun = lastTwo >= 11 && lastTwo <= 14 ? many
                       : last == 1                    ? one
                       : last >= 2 && last <= 4       ? few
                                                      : many;
    return IntToStr(count) + " " + noun;
}

std::string ByteCount(int64_t count) {
    return CountOf(count, "байт", "байта", "байт");
}

std::string text_detail::HexDigits(uint64_t bits, int digits) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), Hex[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
    return text;
}

std::string FloatToStr(double value) {
    return FloatToStr(value, DecimalSeparator);
}

// General format: plain notation while the point stays within the digits and the value is at least
// 0.0001, else "1,5E20" / "1E-5".
std::string FloatToStr(double value, char separator, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    const Decimal decimal = ToDecimal(std::fabs(value), digits);
    const bool plain = decimal.exponent <= digits && decimal.exponent >= -3;
    const std::string sign = value < 0 ? "-" : "";
    return sign + (plain ? FixedNotation(decimal, separator) : ExponentNotation(decimal, separator));
}

std::string FixedToStr(double value, int decimals, char separator) {
    // The largest double needs 309 digits before the point.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "0";
    std::string text(buffer, end);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}
