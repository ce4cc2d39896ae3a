#pragma once
// Text encodings and the class library's conversions, with its errors and fixed Russian defaults.
#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

// ---- Encodings -------------------------------------------------------------
// All 256 bytes round-trip: bytes with no CP1251 character map to their C1 code points.
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters with no CP1251 byte become '?'.
std::string Utf8ToCp1251(std::string_view text);
// Nothing when a character has no CP1251 byte or the text is not valid UTF-8.
std::optional<std::string> Utf8ToCp1251Exact(std::string_view text);
// UTF-16 without a byte-order mark, in the byte order given. An unpaired surrogate or an odd last
// byte becomes U+FFFD, and exact (when given) is set false.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool* exact = nullptr);
// Nothing when the text is not valid UTF-8.
std::optional<std::string> Utf8ToUtf16(std::string_view text, bool bigEndian);
bool IsValidUtf8(std::string_view bytes);
// Files that may come from the Windows world: UTF-8 when valid, else CP1251.
std::string FileTextToUtf8(std::string_view bytes);
// Length and cutting in characters, not bytes.
size_t CharCount(std::string_view utf8);
std::string CharLeft(std::string_view utf8, size_t count);

// ---- The class library's exceptions ----------------------------------------
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// ---- Numbers -----------------------------------------------------------------
// Program-wide decimal separator of the number conversions; Russian default ','.
extern char DecimalSeparator;

// Leading blanks, an optional sign, decimal digits or hexadecimal after "$", "x" or "0x"; hexadecimal
// may use every bit of the type ("$FFFFFFFF" is -1).
int StrToInt(const std::string& text); // "'%s' is not a valid integer value"
int StrToIntDef(const std::string& text, int fallback);
int64_t StrToInt64(const std::string& text);
// Decimal digits only, after an optional sign: no blanks and no hexadecimal prefix, for the fields
// that are decimal by definition (StrToInt would also take "0x1F"). The same error as StrToInt.
int DecimalStrToInt(const std::string& text); // "'%s' is not a valid integer value"
std::optional<int> TryDecimalStrToInt(const std::string& text);
// Blanks around, sign, digits with DecimalSeparator as the point, exponent "E".
double StrToFloat(const std::string& text); // "'%s' is not a valid floating point value"
std::string IntToStr(int64_t value);
namespace text_detail {
// Upper-case, at least digits digits.
std::string HexDigits(uint64_t bits, int digits);
} // namespace text_detail
// A negative value shows as the two's complement of its own type, at least 32 bits wide as the
// library's Integer: IntToHex(-1, 2) is "FFFFFFFF", IntToHex(int64_t{-1}, 2) sixteen "F".
template <std::integral T> std::string IntToHex(T value, int digits) {
    using Promoted = decltype(+value);
    return text_detail::HexDigits(static_cast<uint64_t>(static_cast<std::make_unsigned_t<Promoted>>(value)),
                                  digits);
}
// 15 significant digits, no trailing zeros; exponent form outside 0.0001 .. 10^15 ("1E20", "1,5E-7").
std::string FloatToStr(double value);

// The same conversions with a separator of the caller's: "." for the register's wire and the files
// the program stores, DecimalSeparator for what a window shows. None of them ever depends on the C
// library's locale. FloatToStr's form with `digits` significant digits (exponent form from 10^digits).
std::string FloatToStr(double value, char separator, int digits = 15);
// StrToFloat's shapes; nothing for any other text.
std::optional<double> TryStrToFloat(const std::string& text, char separator);
// Fixed notation with `decimals` digits after the separator, rounded: FixedToStr(2.5, 1) is "2.5".
std::string FixedToStr(double value, int decimals, char separator = '.');

// A count and the Russian noun in the form the count takes: CountOf(2, "байт", "байта", "байт") is
// "2 байта", for 1 (21, 101...) the first form, for 2-4 (22-24...) the second, else the third.
std::string CountOf(int64_t count, const char* one, const char* few, const char* many);
// The same for bytes: "1 байт", "44 байта", "112 байт".
std::string ByteCount(int64_t count);

// ---- Dates -------------------------------------------------------------------
// Days since 30.12.1899, the time of day as the fraction.
using TDateTime = double;

// The fixed Russian defaults: "." between day, month and year; day before month, four-digit year.
constexpr char DateSeparator = '.';
constexpr const char* ShortDateFormat = "dd/mm/yyyy";

TDateTime EncodeDate(int year, int month, int day);                      // "Invalid argument to date encode"
TDateTime EncodeTime(int hour, int minute, int second, int millisecond); // "Invalid argument to time encode"
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
TDateTime Now();
TDateTime Date();
// Tokens, in either case: d dd m mm yy yyyy h hh n nn s ss (m right after an hour token means minutes;
// longer runs of d and m give two digits). "/" is the date separator ".", ":" the time separator;
// text in double or single quotes and other characters are literal.
std::string FormatDateTime(const std::string& format, TDateTime value);
// Short date format "dd.mm.yyyy"; StrToDate takes d.m.yy or d.m.yyyy (two-digit years fall into the
// hundred years from 50 years ago) and raises "'%s' is not a valid date".
std::string DateToStr(TDateTime value);
TDateTime StrToDate(const std::string& text);
