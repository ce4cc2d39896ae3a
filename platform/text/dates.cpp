// TDateTime arithmetic, formatting and the short-date parser, with the Russian defaults fixed here.
#include "platform/clock/clock.h"
#include "platform/text/convert_error.h"
#include "platform/text/text.h"

#include <cmath>
#include <optional>

namespace {

constexpr int64_t MsPerDay = 86400000;
constexpr char TimeSeparator = ':';
// Two-digit years fall into the hundred years that start this many years before the current one.
constexpr int TwoDigitYearCenturyWindow = 50;

// Day numbers of the proleptic Gregorian calendar counted from 1 January 1970.
constexpr int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

// 30 December 1899, day 0 of TDateTime, counted from 1 January 1970.
constexpr int64_t DateTimeEpoch = -25569;
constexpr int64_t FirstDay = DaysFromCivil(1, 1, 1) - DateTimeEpoch;
constexpr int64_t LastDay = DaysFromCivil(9999, 12, 31) - DateTimeEpoch;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

struct Moment {
    int64_t day = 0; // whole days since 30.12.1899
    int64_t ms = 0;  // milliseconds into that day
};

// The whole part is the day and the fraction, without its sign, the time of day (so -1.25 is
// 29.12.1899 06:00). A time that rounds to midnight belongs to the next day.
Moment Split(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e9) return {FirstDay - 1, 0};
    Moment moment;
    moment.day = static_cast<int64_t>(std::trunc(value));
    moment.ms = std::llround(std::fabs(value - static_cast<double>(moment.day)) * MsPerDay);
    if (moment.ms >= MsPerDay) moment.day += 1, moment.ms -= MsPerDay;
    return moment;
}

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

Fields Decode(TDateTime value) {
    Fields f;
    const Moment moment = Split(value);
    if (moment.day >= FirstDay && moment.day <= LastDay)
        CivilFromDays(moment.day + DateTimeEpoch, f.year, f.month, f.day);
    f.hour = static_cast<int>(moment.ms / 3600000);
    f.minute = static_cast<int>(moment.ms / 60000 % 60);
    f.second = static_cast<int>(moment.ms / 1000 % 60);
    f.millisecond = static_cast<int>(moment.ms % 1000);
    return f;
}

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool IsAsciiLetter(char c) {
    return AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z';
}

// The text of one run of a format letter, or nullopt when the letter is no token.
std::optional<std::string> FormatToken(char token, size_t count, const Fields& f) {
    const size_t width = count >= 2 ? 2 : 1;
    switch (token) {
    case 'Y':
        return count <= 2 ? Padded(f.year % 100, 2) : Padded(f.year, 4);
    case 'M':
        return Padded(f.month, width);
    case 'D':
        return Padded(f.day, width);
    case 'H':
        return Padded(f.hour, width);
    case 'N':
        return Padded(f.minute, width);
    case 'S':
        return Padded(f.second, width);
    default:
        return std::nullopt;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void SkipBlanks(const std::string& text, size_t& pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// Blanks, then digits; the digit count goes to length.
bool ScanNumber(const std::string& text, size_t& pos, int& value, int& length) {
    SkipBlanks(text, pos);
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < 9)
        value = value * 10 + (text[pos++] - '0');
    length = static_cast<int>(pos - start);
    return length > 0 && (pos >= text.size() || !IsDigit(text[pos]));
}

bool ScanSeparator(const std::string& text, size_t& pos) {
    SkipBlanks(text, pos);
    if (pos >= text.size() || text[pos] != DateSeparator) return false;
    ++pos;
    return true;
}

int ExpandTwoDigitYear(int year) {
    const int windowStart = LocalNow().Year - TwoDigitYearCenturyWindow;
    year += windowStart / 100 * 100;
    if (year < windowStart) year += 100;
    return year;
}

// d.m.y with blanks allowed around the numbers; a year of one or two digits goes through the window.
std::optional<TDateTime> ScanShortDate(const std::string& text) {
    size_t pos = 0;
    int day = 0, month = 0, year = 0, length = 0, yearLength = 0;
    const bool scanned = ScanNumber(text, pos, day, length) && ScanSeparator(text, pos) &&
                         ScanNumber(text, pos, month, length) && ScanSeparator(text, pos) &&
                         ScanNumber(text, pos, year, yearLength);
    SkipBlanks(text, pos);
    if (!scanned || pos != text.size()) return std::nullopt;
    if (yearLength <= 2) year = ExpandTwoDigitYear(year);
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) return std::nullopt;
    return result;
}

} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<TDateTime>(DaysFromCivil(year, month, day) - DateTimeEpoch);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    const bool valid = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
                       millisecond >= 0 && millisecond < 1000;
    if (!valid) throw EConvertError("Invalid argument to time encode");
    const int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(ms) / MsPerDay;
}

// Values outside 1.1.0001 .. 31.12.9999 decode to 0.0.0.
void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const Fields f = Decode(value);
    year = f.year, month = f.month, day = f.day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    const Fields f = Decode(value);
    hour = f.hour, minute = f.minute, second = f.second, millisecond = f.millisecond;
}

TDateTime Now() {
    const LocalDateTime now = LocalNow();
    return EncodeDate(now.Year, now.Month, now.Day) +
           EncodeTime(now.Hour, now.Minute, now.Second, now.Millisecond);
}

TDateTime Date() {
    const LocalDateTime now = LocalNow();
    return EncodeDate(now.Year, now.Month, now.Day);
}

// Runs of one letter are tokens ("m" right after an hour token means minutes); "/" and ":" are the
// date and time separators; quoted text and every other character are copied.
std::string FormatDateTime(const std::string& format, TDateTime value) {
    const Fields fields = Decode(value);
    std::string out;
    char lastToken = 0;
    for (size_t pos = 0; pos < format.size();) {
        const char c = format[pos];
        if (c == '"' || c == '\'') {
            const size_t close = format.find(c, pos + 1);
            const size_t end = close == std::string::npos ? format.size() : close;
            out.append(format, pos + 1, end - pos - 1);
            pos = end + 1;
        } else if (IsAsciiLetter(c)) {
            const size_t runEnd = format.find_first_not_of(c, pos);
            const size_t count = (runEnd == std::string::npos ? format.size() : runEnd) - pos;
            char token = AsciiUpper(c);
            if (token == 'M' && lastToken == 'H') token = 'N';
            lastToken = token;
            out += FormatToken(token, count, fields).value_or(format.substr(pos, count));
            pos += count;
        } else {
            out += c == '/' ? DateSeparator : c == ':' ? TimeSeparator : c;
            ++pos;
        }
    }
    return out;
}

std::string DateToStr(TDateTime value) {
    return FormatDateTime(ShortDateFormat, value);
}

TDateTime StrToDate(const std::string& text) {
    const auto date = ScanShortDate(text);
    if (!date) RaiseConvertError("'%s' is not a valid date", text);
    return *date;
}
