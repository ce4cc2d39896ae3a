#include "platform/clock/clock.h"
#include "platform/text/text.h"

#include <gtest/gtest.h>

namespace {

class Dates : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocalClock([] { return LocalDateTime{2026, 12, 7, 14, 5, 9, 250}; });
    }
    void TearDown() override { SetLocalClock({}); }
};

std::string ConvertErrorOf(const std::function<void()>& convert) {
    try {
        convert();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

TEST_F(Dates, EncodeDateCountsDaysFromTheEpoch) {
    struct Case {
        int year, month, day;
        double value;
    };
    const Case cases[] = {{1899, 12, 30, 0},    {1900, 1, 1, 2},    {2000, 2, 29, 36585},
                          {2026, 12, 7, 46363}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465}};
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value);
        int y = 0, m = 0, d = 0;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day);
    }
}

TEST_F(Dates, BadDatesAndTimesRaise) {
    const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2026, 4, 31}, {2026, 13, 1},
                               {2026, 0, 1},  {2026, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& d : badDates) {
        TDateTime result = 123;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], result));
        EXPECT_EQ(result, 123);
        EXPECT_EQ(ConvertErrorOf([&] { EncodeDate(d[0], d[1], d[2]); }), "Invalid argument to date encode");
    }
    const int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : badTimes)
        EXPECT_EQ(ConvertErrorOf([&] { EncodeTime(t[0], t[1], t[2], t[3]); }),
                  "Invalid argument to time encode");
}

TEST_F(Dates, EveryDateAndMillisecondTimeDecodesToItself) {
    for (TDateTime day = -693593; day <= 2958465; day += 7) {
        int y = 0, m = 0, d = 0;
        DecodeDate(day, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), day);
    }
    for (int ms = 0; ms < 86400000; ms += 999) {
        const TDateTime value = 46363 + EncodeTime(ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        int h = 0, n = 0, s = 0, z = 0;
        DecodeTime(value, h, n, s, z);
        ASSERT_EQ(((h * 60 + n) * 60 + s) * 1000 + z, ms);
    }
}

TEST_F(Dates, DecodingEdges) {
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, z = 0;
    DecodeDate(-1.25, y, m, d); // before the epoch the fraction still counts forward in the day
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ(std::vector<int>({y, m, d, h}), std::vector<int>({1899, 12, 29, 6}));

    const TDateTime almostMidnight = 46363 + (86400000 - 0.2) / 86400000.0;
    DecodeDate(almostMidnight, y, m, d);
    DecodeTime(almostMidnight, h, n, s, z);
    EXPECT_EQ(std::vector<int>({y, m, d, h, n, s, z}), std::vector<int>({2026, 12, 8, 0, 0, 0, 0}));

    DecodeDate(1e12, y, m, d);
    EXPECT_EQ(std::vector<int>({y, m, d}), std::vector<int>({0, 0, 0}));
}

TEST_F(Dates, NowAndDateFollowTheLocalClock) {
    EXPECT_EQ(Date(), 46363);
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss", Now()), "07.12.2026 14:05:09");
    int h = 0, n = 0, s = 0, z = 0;
    DecodeTime(Now(), h, n, s, z);
    EXPECT_EQ(z, 250);
}

TEST_F(Dates, FormatDateTimeTokens) {
    const TDateTime value = EncodeDate(2005, 3, 4) + EncodeTime(7, 8, 9, 0);
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"dd.mm.yyyy", "04.03.2005"},
        {"d/m/yy", "4.3.05"},
        {"DD/MM/YYYY", "04.03.2005"},
        {"hh:nn:ss", "07:08:09"},
        {"h:n:s", "7:8:9"},
        {"hh:mm", "07:08"},             // m after an hour token is minutes
        {"hh:mm dd.mm", "07:08 04.03"}, // and a month again after a day token
        {"yyyymmdd", "20050304"},
        {"y yyy", "05 2005"},
        {"ddd", "04"},
        {"'день' d", "день 4"},
        {"\"at\" h 'o''clock'", "at 7 oclock"},
        {"'unclosed", "unclosed"},
        {"d-m x!", "4-3 x!"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, value), c.text) << c.format;
    EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(5, 1, 1)), "0005");
}

TEST_F(Dates, ShortDateTexts) {
    EXPECT_EQ(DateToStr(EncodeDate(2026, 1, 2) + 0.75), "02.01.2026");
    struct Case {
        const char* text;
        int year, month, day;
    };
    const Case cases[] = {
        {"07.12.2026", 2026, 12, 7}, {"7.12.26", 2026, 12, 7},   {" 7 . 12 . 2026 ", 2026, 12, 7},
        {"1.1.76", 1976, 1, 1},      {"31.12.75", 2075, 12, 31}, {"29.02.2000", 2000, 2, 29},
        {"1.1.0005", 5, 1, 1},       {"1.1.125", 125, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToDate(c.text), EncodeDate(c.year, c.month, c.day)) << c.text;

    for (const char* bad :
         {"", "31.02.2008", "7/12/2026", "7.12", "7.12.2026x", "7..2026", "a.b.c", "1.1.10000"})
        EXPECT_EQ(ConvertErrorOf([&] { StrToDate(bad); }), "'" + std::string(bad) + "' is not a valid date");
}

} // namespace
