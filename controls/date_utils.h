#pragma once
// Date arithmetic and the lenient date parser behind the date edit and the calendar, on the fixed
// Russian formats of platform/text (day before month, "." between them), never the process locale.
// Dates are TDateTime: days since 30.12.1899, the time of day as the fraction; 0 is the null date.
#include <string>

#include "platform/text/text.h"

constexpr TDateTime NullDate = 0.0;
// Two-digit years fall into the hundred years that start this many years before the current one.
constexpr int CenturyWindow = 60;
// True when the short date format has a four-digit year.
bool FourDigitYearDefault();

enum TDateOrder { doMDY, doDMY, doYMD };
enum TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
// A set of days of the week, one bit per TDayOfWeekName.
using TDaysOfWeek = unsigned;
constexpr TDaysOfWeek DaySet(TDayOfWeekName day) {
    return 1u << day;
}

// ---- Names ---------------------------------------------------------------------------------
// "Январь" .. "Декабрь"; "" outside 1 .. 12.
std::string LongMonthName(int month);
// "Вс", "Пн" .. "Сб" for 0 (Sunday) .. 6.
std::string ShortDayName(int dayOfWeek);
// 1 (Sunday) .. 7 (Saturday).
int DayOfWeek(TDateTime date);

// ---- Format and mask -------------------------------------------------------------------------
// The first of D, E, M, Y (either case) decides; none gives day-month-year.
TDateOrder GetDateOrder(const std::string& format);
// "DD/MM/YYYY" or "DD/MM/YY" in the order of the short date format.
std::string DefDateFormat(bool fourDigitYear);
// "!99/99/9999;1;" or "!99/99/99;1;" (by the order), followed by the blank character.
std::string DefDateMask(char blank, bool fourDigitYear);

// ---- Parsing -------------------------------------------------------------------------------------
// The date of a text read by the format (see the .cpp for the two ways of reading); an empty text
// is the null date. Raises EConvertError "''%s'' is not a valid date".
TDateTime StrToDateFmt(const std::string& format, const std::string& text);
// The same, or the default cut to a whole day when the text is no date.
TDateTime StrToDateFmtDef(const std::string& format, const std::string& text, TDateTime fallback);
TDateTime StrToDateDef(const std::string& text, TDateTime fallback);
// The first month whose name starts with the same length characters (ignoring case), or 0.
int MonthFromName(const std::string& text, int length);
// Years below 100 moved into the century window.
int ExpandYear(int year);

// ---- Tests and parts --------------------------------------------------------------------------------
bool IsLeapYear(int year);
int DaysPerMonth(int year, int month); // 0 for a month outside 1 .. 12
bool ValidDate(TDateTime date);
int ExtractDay(TDateTime date);
int ExtractMonth(TDateTime date);
int ExtractYear(TDateTime date);
int CurrentYear();

// ---- Arithmetic -------------------------------------------------------------------------------------
// Months and years move the calendar date (the day clipped to the month), days are added, the time
// kept. A result outside the years 1 .. 9999 leaves the date as it was.
TDateTime IncDate(TDateTime date, int days, int months, int years);
TDateTime IncDay(TDateTime date, int delta);
TDateTime IncMonth(TDateTime date, int delta);
TDateTime IncYear(TDateTime date, int delta);
TDateTime IncTime(TDateTime date, int hours, int minutes, int seconds, int milliseconds);
TDateTime IncHour(TDateTime date, int delta);
TDateTime IncMinute(TDateTime date, int delta);
TDateTime IncSecond(TDateTime date, int delta);
TDateTime IncMSec(TDateTime date, int delta);
// Whole years, months and days between the two dates, in either order.
void DateDiff(TDateTime date1, TDateTime date2, int& days, int& months, int& years);
double MonthsBetween(TDateTime date1, TDateTime date2);
int DaysInPeriod(TDateTime date1, TDateTime date2);
int DaysBetween(TDateTime date1, TDateTime date2);
TDateTime CutTime(TDateTime date);
// Relative to today; in December 9999 the next month's first day is 31.12.9999, the last date, and in
// January of year 1 the previous month's is 1.1.0001, the first.
TDateTime FirstDayOfNextMonth();
TDateTime FirstDayOfPrevMonth();
TDateTime LastDayOfPrevMonth();
// "6 октября 2008 г."; dates outside the calendar give "". The null date is the calendar's day zero,
// "30 декабря 1899 г."
std::string FormatLongDate(TDateTime date);
// The long date and the time "14:05:00"; "" for the null date.
std::string FormatLongDateTime(TDateTime date);
