#include "controls/date_utils.h"

#include <QString>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "controls/string_utils.h"
#include "platform/clock/clock.h"
#include "platform/text/convert_error.h"

namespace {

const char* const kLongMonthNames[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                         "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
// The long date names the month in the genitive: "6 октября 2008 г.".
const char* const kMonthsOfDate[12] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                       "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
const char* const kShortDayNames[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
const int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct Ymd {
    int year = 0, month = 0, day = 0;
};

Ymd Split(TDateTime date) {
    Ymd parts;
    DecodeDate(date, parts.year, parts.month, parts.day);
    return parts;
}

bool IsValid(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysPerMonth(year, month);
}

double Frac(double value) {
    return value - std::trunc(value);
}

// ---- Reading by position ------------------------------------------------------------------------------

// The characters of the text at the positions where the format has the letter, read as one field:
// the default when the format lacks count copies of the letter or the text is longer than the
// format; blank when nothing is there; a month name when count > 1, else a number (-1 for neither).
int ExtractField(const std::u32string& format, const std::u32string& text, char32_t letter, int count,
                 int fallback, int blank) {
    if (text.size() > format.size()) return fallback;
    if (format.find(std::u32string(static_cast<size_t>(count), letter)) == std::u32string::npos)
        return fallback;
    std::u32string collected;
    for (size_t i = 0; i < text.size(); ++i)
        if (format[i] == letter && text[i] != U' ') collected += text[i];
    if (collected.empty()) return blank;
    const std::string field = FromChars(collected);
    if (count > 1) {
        const int month = MonthFromName(field, static_cast<int>(collected.size()));
        return month == 0 ? -1 : month;
    }
    for (char32_t c : collected)
        if (c < U'0' || c > U'9') return -1;
    return collected.size() > 9 ? -1 : std::atoi(field.c_str());
}

Ymd ReadByPosition(const std::string& format, const std::string& text) {
    const std::u32string upper = ToChars(QString::fromStdString(format).toUpper().toStdString());
    const std::u32string chars = ToChars(text);
    Ymd parts;
    parts.month = ExtractField(upper, chars, U'M', 3, 0, -1);
    if (parts.month == 0) parts.month = ExtractField(upper, chars, U'M', 1, 0, -1);
    parts.day = ExtractField(upper, chars, U'D', 1, 1, -1);
    parts.year = ExpandYear(ExtractField(upper, chars, U'Y', 1, CurrentYear(), -1));
    return parts;
}

// ---- Free scanning -------------------------------------------------------------------------------------

void SkipBlanks(const std::string& text, size_t& pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// Blanks, then digits; the number ends after the digit that brings it to 1000 or more.
bool ScanNumber(const std::string& text, size_t& pos, int& value) {
    SkipBlanks(text, pos);
    value = 0;
    const size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 1000)
        value = value * 10 + (text[pos++] - '0');
    return pos > start;
}

bool ScanSeparator(const std::string& text, size_t& pos) {
    SkipBlanks(text, pos);
    if (pos >= text.size() || text[pos] != DateSeparator) return false;
    ++pos;
    return true;
}

bool ScanFree(const std::string& text, const std::string& format, Ymd& parts) {
    const TDateOrder order = GetDateOrder(format);
    size_t pos = 0;
    int a = 0, b = 0, c = 0;
    if (!(ScanNumber(text, pos, a) && ScanSeparator(text, pos) && ScanNumber(text, pos, b))) return false;
    if (ScanSeparator(text, pos)) {
        if (!ScanNumber(text, pos, c)) return false;
        switch (order) {
        case doMDY:
            parts = {c, a, b};
            break;
        case doDMY:
            parts = {c, b, a};
            break;
        case doYMD:
            parts = {a, b, c};
            break;
        }
        parts.year = ExpandYear(parts.year);
    } else {
        parts.year = CurrentYear();
        parts.day = order == doDMY ? a : b;
        parts.month = order == doDMY ? b : a;
    }
    ScanSeparator(text, pos);
    SkipBlanks(text, pos);
    return IsValid(parts.year, parts.month, parts.day) && pos >= text.size();
}

// Reading by position first; when that gives no date, free scanning.
bool ParseDate(const std::string& format, const std::string& text, TDateTime& date) {
    if (text.empty()) {
        date = NullDate;
        return true;
    }
    Ymd parts = ReadByPosition(format, text);
    if (!IsValid(parts.year, parts.month, parts.day) && !ScanFree(text, format, parts)) return false;
    date = EncodeDate(parts.year, parts.month, parts.day);
    return true;
}

} // namespace

bool FourDigitYearDefault() {
    return QString(ShortDateFormat).toUpper().contains("YYYY");
}

// ---- Names -----------------------------------------------------------------------------------------------

std::string LongMonthName(int month) {
    return month >= 1 && month <= 12 ? kLongMonthNames[month - 1] : "";
}

std::string ShortDayName(int dayOfWeek) {
    return dayOfWeek >= 0 && dayOfWeek <= 6 ? kShortDayNames[dayOfWeek] : "";
}

int DayOfWeek(TDateTime date) {
    // 30.12.1899, day 0, was a Saturday.
    const int64_t day = static_cast<int64_t>(std::floor(date));
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

// ---- Format and mask -------------------------------------------------------------------------------------

TDateOrder GetDateOrder(const std::string& format) {
    for (char c : format) {
        switch (c) {
        case 'D':
        case 'd':
            return doDMY;
        case 'M':
        case 'm':
            return doMDY;
        case 'E':
        case 'e':
        case 'Y':
        case 'y':
            return doYMD;
        default:
            break;
        }
    }
    return doDMY;
}

std::string DefDateFormat(bool fourDigitYear) {
    switch (GetDateOrder(ShortDateFormat)) {
    case doMDY:
        return fourDigitYear ? "MM/DD/YYYY" : "MM/DD/YY";
    case doYMD:
        return fourDigitYear ? "YYYY/MM/DD" : "YY/MM/DD";
    default:
        return fourDigitYear ? "DD/MM/YYYY" : "DD/MM/YY";
    }
}

std::string DefDateMask(char blank, bool fourDigitYear) {
    std::string mask = "!99/99/99;1;";
    if (fourDigitYear) mask = GetDateOrder(ShortDateFormat) == doYMD ? "!9999/99/99;1;" : "!99/99/9999;1;";
    return mask.empty() ? mask : mask + blank;
}

// ---- Parsing ----------------------------------------------------------------------------------------------

TDateTime StrToDateFmt(const std::string& format, const std::string& text) {
    TDateTime date = NullDate;
    if (!ParseDate(format, text, date)) RaiseConvertError("''%s'' is not a valid date", text);
    return date;
}

TDateTime StrToDateFmtDef(const std::string& format, const std::string& text, TDateTime fallback) {
    TDateTime date = NullDate;
    return ParseDate(format, text, date) ? date : std::trunc(fallback);
}

TDateTime StrToDateDef(const std::string& text, TDateTime fallback) {
    return StrToDateFmtDef(ShortDateFormat, text, fallback);
}

int MonthFromName(const std::string& text, int length) {
    if (text.empty() || length < 1) return 0;
    const QString wanted = QString::fromStdString(text).left(length).toUpper();
    for (int month = 1; month <= 12; ++month)
        if (QString::fromStdString(kLongMonthNames[month - 1]).left(length).toUpper() == wanted) return month;
    return 0;
}

int ExpandYear(int year) {
    if (year >= 100 || year < 0) return year;
    const int windowStart = CurrentYear() - CenturyWindow;
    year += windowStart / 100 * 100;
    if (CenturyWindow > 0 && year < windowStart) year += 100;
    return year;
}

// ---- Tests and parts
// ----------------------------------------------------------------------------------------

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysPerMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    return kDaysPerMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool ValidDate(TDateTime date) {
    const Ymd parts = Split(date);
    return IsValid(parts.year, parts.month, parts.day);
}

int ExtractDay(TDateTime date) {
    return Split(date).day;
}
int ExtractMonth(TDateTime date) {
    return Split(date).month;
}
int ExtractYear(TDateTime date) {
    return Split(date).year;
}
int CurrentYear() {
    return LocalNow().Year;
}

// ---- Arithmetic
// ------------------------------------------------------------------------------------------------

TDateTime IncDate(TDateTime date, int days, int months, int years) {
    Ymd parts = Split(date);
    if (!IsValid(parts.year, parts.month, parts.day)) return date + days;
    parts.year += years + months / 12;
    parts.month += months % 12;
    if (parts.month < 1) parts.month += 12, parts.year -= 1;
    if (parts.month > 12) parts.month -= 12, parts.year += 1;
    if (parts.year < 1 || parts.year > 9999) return date;
    parts.day = std::min(parts.day, DaysPerMonth(parts.year, parts.month));
    return EncodeDate(parts.year, parts.month, parts.day) + days + Frac(date);
}

TDateTime IncDay(TDateTime date, int delta) {
    return date + delta;
}
TDateTime IncMonth(TDateTime date, int delta) {
    return IncDate(date, 0, delta, 0);
}
TDateTime IncYear(TDateTime date, int delta) {
    return IncDate(date, 0, 0, delta);
}

TDateTime IncTime(TDateTime date, int hours, int minutes, int seconds, int milliseconds) {
    constexpr double kMsPerDay = 86400000.0;
    const double within =
        (static_cast<double>(hours % 24) * 3600000.0 + minutes * 60000.0 + seconds * 1000.0 + milliseconds) /
        kMsPerDay;
    TDateTime result = date + hours / 24 + within;
    if (result < 0) result += 1;
    return result;
}

TDateTime IncHour(TDateTime date, int delta) {
    return IncTime(date, delta, 0, 0, 0);
}
TDateTime IncMinute(TDateTime date, int delta) {
    return IncTime(date, 0, delta, 0, 0);
}
TDateTime IncSecond(TDateTime date, int delta) {
    return IncTime(date, 0, 0, delta, 0);
}
TDateTime IncMSec(TDateTime date, int delta) {
    return IncTime(date, 0, 0, 0, delta);
}

void DateDiff(TDateTime date1, TDateTime date2, int& days, int& months, int& years) {
    if (date1 > date2) std::swap(date1, date2);
    const Ymd from = Split(date1), to = Split(date2);
    years = to.year - from.year;
    months = 0;
    days = 0;
    if (to.month < from.month) {
        months += 12;
        --years;
    }
    months += to.month - from.month;
    if (to.day < from.day) {
        days += DaysPerMonth(from.year, from.month);
        if (months == 0) {
            --years;
            months = 11;
        } else {
            --months;
        }
    }
    days += to.day - from.day;
}

double MonthsBetween(TDateTime date1, TDateTime date2) {
    int days = 0, months = 0, years = 0;
    DateDiff(date1, date2, days, months, years);
    double result = years * 12 + months;
    if (days >= 2 && days <= 6) result += 0.25;
    if (days >= 7 && days <= 14) result += 0.5;
    if (days >= 15 && days <= 20) result += 0.75;
    if (days >= 21) result += 1.0;
    return result;
}

int DaysInPeriod(TDateTime date1, TDateTime date2) {
    if (!ValidDate(date1) || !ValidDate(date2)) return 0;
    return static_cast<int>(std::llabs(static_cast<long long>(std::trunc(date1)) -
                                       static_cast<long long>(std::trunc(date2)))) +
           1;
}

int DaysBetween(TDateTime date1, TDateTime date2) {
    const long long result =
        static_cast<long long>(std::trunc(date2)) - static_cast<long long>(std::trunc(date1)) + 1;
    return result < 0 ? 0 : static_cast<int>(result);
}

TDateTime CutTime(TDateTime date) {
    return std::trunc(date);
}

TDateTime FirstDayOfNextMonth() {
    const Ymd today = Split(Date());
    if (today.month < 12) return EncodeDate(today.year, today.month + 1, 1);
    // December 9999 has no next month within the dates: the last day there is.
    return today.year < 9999 ? EncodeDate(today.year + 1, 1, 1) : EncodeDate(9999, 12, 31);
}

TDateTime FirstDayOfPrevMonth() {
    const Ymd today = Split(Date());
    if (today.month > 1) return EncodeDate(today.year, today.month - 1, 1);
    // January of year 1 has no month before it within the dates: its first day is the earliest.
    return today.year > 1 ? EncodeDate(today.year - 1, 12, 1) : EncodeDate(1, 1, 1);
}

TDateTime LastDayOfPrevMonth() {
    const Ymd today = Split(Date());
    return EncodeDate(today.year, today.month, 1) - 1;
}

std::string FormatLongDate(TDateTime date) {
    const Ymd parts = Split(date);
    if (!IsValid(parts.year, parts.month, parts.day)) return "";
    return DelESpace(std::to_string(parts.day) + " " + kMonthsOfDate[parts.month - 1] + " " +
                     std::to_string(parts.year) + " г.");
}

std::string FormatLongDateTime(TDateTime date) {
    if (date == NullDate) return "";
    return FormatLongDate(date) + " " + FormatDateTime("h:nn:ss", date);
}
