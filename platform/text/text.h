#pragma once
// Text encodings and the class library's conversions, with its errors and fixed Russian defaults.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// ---- Encodings -------------------------------------------------------------
// All 256 bytes round-trip: bytes with no CP1251 character map to their C1 code points.
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters with no CP1251 byte become '?'.
std::string Utf8ToCp1251(std::string_view text);
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

int StrToInt(const std::string& text);                 // "'%s' is not a valid integer value"
int StrToIntDef(const std::string& text, int fallback);
int64_t StrToInt64(const std::string& text);
double StrToFloat(const std::string& text);            // "'%s' is not a valid floating point value"
std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);
std::string FloatToStr(double value);                  // 15 significant digits, general format

// ---- Dates -------------------------------------------------------------------
// Days since 30.12.1899, the time of day as the fraction.
using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day);    // "Invalid argument to date encode"
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
TDateTime Now();
TDateTime Date();
// Tokens: d dd m mm yy yyyy h hh n nn s ss; text in double or single quotes and other characters literal.
std::string FormatDateTime(const std::string& format, TDateTime value);
// Short date format "dd.mm.yyyy"; StrToDate raises "'%s' is not a valid date".
std::string DateToStr(TDateTime value);
TDateTime StrToDate(const std::string& text);
