#include <gtest/gtest.h>

#include "controls/date_utils.h"
#include "platform/clock/clock.h"

namespace {

// Every case runs on 7 December 2026, 10:00.
class DateUtilsTest : public ::testing::Test {
protected:
    DateUtilsTest() {
        SetLocalClock([] { return LocalDateTime{2026, 12, 7, 10, 0, 0, 0}; });
    }
    ~DateUtilsTest() override { SetLocalClock({}); }
};

TEST_F(DateUtilsTest, TextsAreReadByPositionThenByFreeScanning) {
    const struct {
        const char* format;
        const char* text;
        int year, month, day; // 0: no date
    } cases[] = {
        {"DD/MM/YY", "06.10.08", 2008, 10, 6},       {"DD/MM/YY", "6.10.8", 2008, 10, 6},
        {"DD/MM/YY", "06.10.70", 1970, 10, 6},       {"DD/MM/YY", "06.10.65", 2065, 10, 6},
        {"DD/MM/YY", "31.02.08", 0, 0, 0},           {"DD/MM/YYYY", "29.02.2008", 2008, 2, 29},
        {"DD/MM/YYYY", "29.02.2009", 0, 0, 0},       {"DD/MM/YYYY", "29.02.2000", 2000, 2, 29},
        {"DD/MM/YYYY", "29.02.1900", 0, 0, 0},       {"DD/MM/YYYY", "31.12.9999", 9999, 12, 31},
        {"DD/MM/YYYY", "12345.10.2008", 0, 0, 0},    {"DD/MM/YYYY", "  .  .    ", 0, 0, 0},
        {"DD/MM/YYYY", "5.3", 2026, 3, 5},           {"DD/MM/YYYY", " 5 . 3 . 2008 ", 2008, 3, 5},
        {"MM/DD/YYYY", "10/06/2008", 2008, 10, 6},   {"MM/DD/YY", "10.6.8", 2008, 10, 6},
        {"YYYY/MM/DD", "2008.10.06", 2008, 10, 6},   {"DD/MM/YY", "06.10.08 ", 2008, 10, 6},
        {"DD/MMM/YYYY", "06-Окт-2008", 2008, 10, 6}, {"DD/MM/YYYY", "06.10.2008x", 0, 0, 0},
        {"DD/MM/YYYY", "00.10.2008", 0, 0, 0},       {"DD/MM/YYYY", "06.13.2008", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TDateTime fallback = EncodeDate(1999, 9, 9) + 0.5;
        const TDateTime read = StrToDateFmtDef(c.format, c.text, fallback);
        if (c.year == 0) {
            EXPECT_EQ(read, EncodeDate(1999, 9, 9)) << c.format << " " << c.text; // cut to a whole day
            EXPECT_THROW(StrToDateFmt(c.format, c.text), EConvertError) << c.text;
        } else {
            EXPECT_EQ(read, EncodeDate(c.year, c.month, c.day)) << c.format << " " << c.text;
        }
    }
    EXPECT_EQ(StrToDateFmt("DD/MM/YY", ""), NullDate);
    EXPECT_EQ(StrToDateDef("", 5.0), NullDate);
    EXPECT_EQ(StrToDateDef("06.10.2008", 5.0), EncodeDate(2008, 10, 6));
}

TEST_F(DateUtilsTest, AWrongDateIsReportedWithItsText) {
    try {
        StrToDateFmt("DD/MM/YY", "31.02.08");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "''31.02.08'' is not a valid date");
    }
}

TEST_F(DateUtilsTest, FormatsMasksAndOrders) {
    const struct {
        const char* format;
        TDateOrder order;
    } orders[] = {{"dd.mm.yyyy", doDMY}, {"MM/DD/YY", doMDY}, {"yyyy-mm-dd", doYMD},
                  {"ee/mm", doYMD},      {"", doDMY},         {"-.-", doDMY}};
    for (const auto& c : orders)
        EXPECT_EQ(GetDateOrder(c.format), c.order) << c.format;
    EXPECT_TRUE(FourDigitYearDefault());
    EXPECT_EQ(DefDateFormat(true), "DD/MM/YYYY");
    EXPECT_EQ(DefDateFormat(false), "DD/MM/YY");
    EXPECT_EQ(DefDateMask(' ', true), "!99/99/9999;1; ");
    EXPECT_EQ(DefDateMask('_', false), "!99/99/99;1;_");
}

TEST_F(DateUtilsTest, TwoDigitYearsFallIntoTheCenturyWindow) {
    const struct {
        int year, expanded;
    } cases[] = {{8, 2008}, {70, 1970}, {65, 2065}, {66, 1966},
                 {0, 2000}, {99, 1999}, {100, 100}, {2008, 2008}};
    for (const auto& c : cases)
        EXPECT_EQ(ExpandYear(c.year), c.expanded) << c.year;
}

TEST_F(DateUtilsTest, MonthsAndYearsMoveTheCalendarDateAndKeepTheTime) {
    const struct {
        int year, month, day;
        int days, months, years;
        int toYear, toMonth, toDay;
    } cases[] = {
        {2008, 1, 31, 0, 1, 0, 2008, 2, 29},   {2009, 1, 31, 0, 1, 0, 2009, 2, 28},
        {2008, 12, 15, 0, 1, 0, 2009, 1, 15},  {2008, 1, 15, 0, -1, 0, 2007, 12, 15},
        {2008, 3, 31, 0, -13, 0, 2007, 2, 28}, {2008, 2, 29, 0, 0, 1, 2009, 2, 28},
        {2008, 2, 28, 2, 0, 0, 2008, 3, 1},    {9999, 12, 31, 0, 1, 0, 9999, 12, 31},
        {1, 1, 1, 0, 0, -1, 1, 1, 1},          {2008, 5, 10, 0, 25, 0, 2010, 6, 10},
    };
    for (const auto& c : cases) {
        const TDateTime from = EncodeDate(c.year, c.month, c.day) + 0.25;
        EXPECT_EQ(IncDate(from, c.days, c.months, c.years), EncodeDate(c.toYear, c.toMonth, c.toDay) + 0.25)
            << c.year << "-" << c.month << "-" << c.day << " +" << c.months;
    }
    EXPECT_EQ(IncDay(EncodeDate(2008, 12, 31), 1), EncodeDate(2009, 1, 1));
    EXPECT_DOUBLE_EQ(IncHour(EncodeDate(2008, 1, 1), 36), EncodeDate(2008, 1, 2) + 0.5);
    EXPECT_DOUBLE_EQ(IncMinute(EncodeDate(2008, 1, 1), -30), EncodeDate(2007, 12, 31) + 23.5 / 24);
    EXPECT_DOUBLE_EQ(IncTime(0.0, 0, 0, 0, -1), 1.0 - 1.0 / 86400000); // a negative result gets a day
}

TEST_F(DateUtilsTest, DifferencesBetweenDates) {
    const struct {
        TDateTime a, b;
        int days, months, years;
        double monthsBetween;
    } cases[] = {
        {EncodeDate(2008, 1, 1), EncodeDate(2008, 3, 8), 7, 2, 0, 2.5},
        {EncodeDate(2008, 3, 8), EncodeDate(2008, 1, 1), 7, 2, 0, 2.5},
        {EncodeDate(2008, 1, 31), EncodeDate(2008, 3, 1), 1, 1, 0, 1.0},
        {EncodeDate(2007, 12, 20), EncodeDate(2008, 1, 10), 21, 0, 0, 1.0},
        {EncodeDate(2007, 6, 15), EncodeDate(2008, 6, 1), 16, 11, 0, 11.75},
        {EncodeDate(2000, 2, 29), EncodeDate(2008, 2, 29), 0, 0, 8, 96.0},
    };
    for (const auto& c : cases) {
        int days = 0, months = 0, years = 0;
        DateDiff(c.a, c.b, days, months, years);
        EXPECT_EQ(days, c.days);
        EXPECT_EQ(months, c.months);
        EXPECT_EQ(years, c.years);
        EXPECT_DOUBLE_EQ(MonthsBetween(c.a, c.b), c.monthsBetween);
    }
    const TDateTime day = EncodeDate(2008, 10, 6);
    EXPECT_EQ(DaysBetween(day, day - 1), 0);
    EXPECT_EQ(DaysBetween(day, day + 0.9), 1);
    EXPECT_EQ(DaysBetween(day, day + 9), 10);
    EXPECT_EQ(DaysInPeriod(day + 9, day), 10);
    EXPECT_EQ(DaysInPeriod(day, -1e9), 0);
}

TEST_F(DateUtilsTest, PartsTestsAndRelativeDays) {
    EXPECT_TRUE(IsLeapYear(2008));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysPerMonth(2008, 2), 29);
    EXPECT_EQ(DaysPerMonth(2009, 2), 28);
    EXPECT_EQ(DaysPerMonth(2009, 13), 0);
    EXPECT_TRUE(ValidDate(EncodeDate(1, 1, 1)));
    EXPECT_FALSE(ValidDate(EncodeDate(1, 1, 1) - 1));
    EXPECT_FALSE(ValidDate(EncodeDate(9999, 12, 31) + 1));
    EXPECT_EQ(ExtractDay(EncodeDate(2008, 10, 6) + 0.7), 6);
    EXPECT_EQ(CurrentYear(), 2026);
    EXPECT_EQ(FirstDayOfNextMonth(), EncodeDate(2027, 1, 1));
    EXPECT_EQ(FirstDayOfPrevMonth(), EncodeDate(2026, 11, 1));
    EXPECT_EQ(LastDayOfPrevMonth(), EncodeDate(2026, 11, 30));
    EXPECT_EQ(CutTime(EncodeDate(2008, 10, 6) + 0.7), EncodeDate(2008, 10, 6));
    EXPECT_EQ(DayOfWeek(EncodeDate(2008, 6, 1)), 1); // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2008, 9, 1)), 2); // a Monday
}

TEST_F(DateUtilsTest, MonthsNextToTodayAtTheEndsOfTheCalendar) {
    SetLocalClock([] { return LocalDateTime{9999, 12, 15, 10, 0, 0, 0}; });
    EXPECT_EQ(FirstDayOfNextMonth(), EncodeDate(9999, 12, 31)) << "no month after December 9999";
    EXPECT_EQ(FirstDayOfPrevMonth(), EncodeDate(9999, 11, 1));
    SetLocalClock([] { return LocalDateTime{1, 1, 15, 10, 0, 0, 0}; });
    EXPECT_EQ(FirstDayOfPrevMonth(), EncodeDate(1, 1, 1)) << "no month before January of year 1";
    EXPECT_EQ(FirstDayOfNextMonth(), EncodeDate(1, 2, 1));
}

TEST_F(DateUtilsTest, NamesAndLongDates) {
    EXPECT_EQ(MonthFromName("окт", 3), 10);
    EXPECT_EQ(MonthFromName("МАР", 3), 3);
    EXPECT_EQ(MonthFromName("Ию", 2), 6); // the first month that fits
    EXPECT_EQ(MonthFromName("", 3), 0);
    EXPECT_EQ(MonthFromName("x", 1), 0);
    EXPECT_EQ(FormatLongDate(EncodeDate(2008, 10, 6)), "6 октября 2008 г.");
    EXPECT_EQ(FormatLongDate(NullDate), "30 декабря 1899 г.") << "the calendar's day zero";
    EXPECT_EQ(FormatLongDate(EncodeDate(9999, 12, 31) + 1), "");
    EXPECT_EQ(FormatLongDateTime(EncodeDate(2008, 10, 6) + EncodeTime(14, 5, 0, 0)),
              "6 октября 2008 г. 14:05:00");
    EXPECT_EQ(FormatLongDateTime(NullDate), "");
}

} // namespace
