#include "platform/clock/clock.h"
#include "platform/text/text.h"
#include "platform/text/tests/convert_error_of.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class Dates : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocalClock([] { return LocalDateTime{2026, 12, 7, 14, 5, 9, 250}; });
    }
    void TearDown() override { SetLocalClock({}); }
};


std::vector<int> Parts(TDateTime value) {
    std::vector<int> p(7);
    DecodeDate(value, p[0], p[1], p[2]);
    DecodeTime(value, p[3], p[4], p[5], p[6]);
    return p;
}

TEST_F(Dates, EncodeAndDecode) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    for (TDateTime day = -693593; day <= 2958465; day += 7) {
        const auto p = Parts(day);
        ASSERT_EQ(EncodeDate(p[0], p[1], p[2]), day);
    }
    EXPECT_EQ(Parts(46363 + EncodeTime(23, 59, 59, 999)), std::vector<int>({2026, 12, 7, 23, 59, 59, 999}));
    EXPECT_EQ(Parts(-1.25), std::vector<int>({1899, 12, 29, 6, 0, 0, 0})); // the fraction counts forward
    EXPECT_EQ(Parts(46363 + (86400000 - 0.2) / 86400000.0), std::vector<int>({2026, 12, 8, 0, 0, 0, 0}));
    EXPECT_EQ(Parts(Now()), std::vector<int>({2026, 12, 7, 14, 5, 9, 250}));
    EXPECT_EQ(Date(), 46363);
}

TEST_F(Dates, BadDatesAndTimesRaise) {
    for (const auto& d : {std::array{2023, 2, 29}, {1900, 2, 29}, {2026, 4, 31}, {2026, 13, 1}, {0, 1, 1}}) {
        TDateTime result = 123;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], result));
        EXPECT_EQ(ConvertErrorOf([&] { EncodeDate(d[0], d[1], d[2]); }), "Invalid argument to date encode");
    }
    for (const auto& t : {std::array{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}})
        EXPECT_EQ(ConvertErrorOf([&] { EncodeTime(t[0], t[1], t[2], t[3]); }),
                  "Invalid argument to time encode");
}

TEST_F(Dates, FormatDateTimeTokens) {
    const TDateTime value = EncodeDate(2005, 3, 4) + EncodeTime(7, 8, 9, 0);
    const std::pair<const char*, const char*> cases[] = {
        {"dd.mm.yyyy hh:nn:ss", "04.03.2005 07:08:09"},
        {"d/m/yy h:n:s", "4.3.05 7:8:9"},
        {"DD/MM/YYYY", "04.03.2005"},
        {"hh:mm dd.mm", "07:08 04.03"}, // m after an hour token is minutes
        {"'день' d", "день 4"},
        {"\"at\" h 'o''clock'", "at 7 oclock"},
        {"d-m x!", "4-3 x!"},
    };
    for (const auto& [format, text] : cases)
        EXPECT_EQ(FormatDateTime(format, value), text) << format;
}

TEST_F(Dates, ShortDateTexts) {
    EXPECT_EQ(DateToStr(EncodeDate(2026, 1, 2) + 0.75), "02.01.2026");
    const std::pair<const char*, TDateTime> cases[] = {
        {"07.12.2026", EncodeDate(2026, 12, 7)}, {" 7 . 12 . 26 ", EncodeDate(2026, 12, 7)},
        {"1.1.76", EncodeDate(1976, 1, 1)},      {"31.12.75", EncodeDate(2075, 12, 31)},
        {"1.1.0005", EncodeDate(5, 1, 1)},
    };
    for (const auto& [text, date] : cases)
        EXPECT_EQ(StrToDate(text), date) << text;
    for (const char* bad : {"", "31.02.2008", "7/12/2026", "7.12", "7.12.2026x", "1.1.10000"})
        EXPECT_EQ(ConvertErrorOf([&] { StrToDate(bad); }), "'" + std::string(bad) + "' is not a valid date");
}

} // namespace
