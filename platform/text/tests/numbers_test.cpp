#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class Numbers : public ::testing::Test {
protected:
    void SetUp() override { saved = DecimalSeparator; }
    void TearDown() override { DecimalSeparator = saved; }
    char saved = ',';
};

std::string ConvertErrorOf(const std::function<void()>& convert) {
    try {
        convert();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

TEST_F(Numbers, StrToIntAcceptsTheLibraryForms) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"0", 0},
        {"123", 123},
        {"-123", -123},
        {"+5", 5},
        {"  42", 42},
        {"007", 7},
        {"$FF", 255},
        {"$ff", 255},
        {"0x1f", 31},
        {"0X1F", 31},
        {"x10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        EXPECT_EQ(StrToIntDef(c.text, 99), c.value) << c.text;
    }
}

TEST_F(Numbers, StrToIntRejectsOtherTextsWithTheLibraryMessage) {
    const char* const texts[] = {"",    " ",          "12 ",         "1.5",        "abc",
                                 "1 2", "--1",        "+",           "$",          "0x",
                                 "$G",  "2147483648", "-2147483649", "$100000000", "99999999999999999999999"};
    for (const char* text : texts) {
        EXPECT_EQ(ConvertErrorOf([&] { StrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
        EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
    }
}

TEST_F(Numbers, StrToInt64CoversSixtyFourBits) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(ConvertErrorOf([] { StrToInt64("9223372036854775808"); }),
              "'9223372036854775808' is not a valid integer value");
}

TEST_F(Numbers, StrToFloatUsesTheDecimalSeparator) {
    struct Case {
        char separator;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {',', "1,5", 1.5}, {',', " -0,25 ", -0.25}, {',', "12", 12},     {',', ",5", 0.5},
        {',', "5,", 5},    {',', "1,5E3", 1500},    {',', "1e-2", 0.01}, {',', "+2,5e+1", 25},
        {'.', "1.5", 1.5}, {'.', "100.25", 100.25}, {'.', "1e-400", 0},
    };
    for (const Case& c : cases) {
        DecimalSeparator = c.separator;
        EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value) << c.text;
    }
}

TEST_F(Numbers, StrToFloatRejectsOtherTextsWithTheLibraryMessage) {
    struct Case {
        char separator;
        const char* text;
    };
    const Case cases[] = {{',', "1.5"},  {'.', "1,5"}, {',', ""},      {',', ","},
                          {',', "1e"},   {',', "e5"},  {',', "1 5"},   {',', "abc"},
                          {',', "1,5x"}, {',', "--1"}, {'.', "1e400"}, {',', "$10"}};
    for (const Case& c : cases) {
        DecimalSeparator = c.separator;
        EXPECT_EQ(ConvertErrorOf([&] { StrToFloat(c.text); }),
                  "'" + std::string(c.text) + "' is not a valid floating point value");
    }
}

TEST_F(Numbers, FloatToStrWritesTheGeneralFormat) {
    struct Case {
        char separator;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {',', 0.1, "0,1"},
        {'.', 0.1, "0.1"},
        {',', 2.5, "2,5"},
        {'.', 2.5, "2.5"},
        {',', -0.5, "-0,5"},
        {',', 0, "0"},
        {',', -0.0, "0"},
        {',', 100, "100"},
        {',', 1e20, "1E20"},
        {',', 1.5e20, "1,5E20"},
        {',', 123456789012345678.0, "1,23456789012346E17"},
        {',', 123456789012345.0, "123456789012345"},
        {',', 1e15, "1E15"},
        {',', 0.0001, "0,0001"},
        {',', 0.00001, "1E-5"},
        {'.', -1.5e-7, "-1.5E-7"},
        {',', 1.0 / 3, "0,333333333333333"},
        {',', 2.0 / 3, "0,666666666666667"},
        {',', 0.1 + 0.2, "0,3"},
        {'.', 1234.5678, "1234.5678"},
    };
    for (const Case& c : cases) {
        DecimalSeparator = c.separator;
        EXPECT_EQ(FloatToStr(c.value), c.text);
    }
}

TEST_F(Numbers, FloatTextRoundTrips) {
    for (const double value : {0.1, -2.75, 1e20, 123.456, 1e-5, 99999.99}) {
        for (const char separator : {',', '.'}) {
            DecimalSeparator = separator;
            EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(value)), value) << value;
        }
    }
}

TEST_F(Numbers, IntegerTexts) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 2), "FF");
    EXPECT_EQ(IntToHex(10, 4), "000A");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(static_cast<signed char>(-1), 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t{-1}, 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(uint8_t{0xAB}, 2), "AB");
}

} // namespace
