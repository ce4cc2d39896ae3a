#include "platform/text/tests/convert_error_of.h"
#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

class Numbers : public ::testing::Test {
protected:
    void TearDown() override { DecimalSeparator = ','; }
};

TEST_F(Numbers, StrToIntAcceptsTheLibraryForms) {
    const std::pair<const char*, int> cases[] = {
        {"-123", -123},
        {"+5", 5},
        {"  42", 42},
        {"$ff", 255},
        {"0X1F", 31},
        {"x10", 16},
        {"-$10", -16},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"$FFFFFFFF", -1},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(StrToInt(text), value) << text;
        EXPECT_EQ(StrToIntDef(text, 99), value) << text;
    }
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
}

TEST_F(Numbers, StrToIntRejectsOtherTextsWithTheLibraryMessage) {
    for (const char* text :
         {"", "12 ", "1.5", "abc", "--1", "$", "0x", "2147483648", "-2147483649", "$100000000"}) {
        EXPECT_EQ(ConvertErrorOf([&] { StrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
        EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
    }
    EXPECT_EQ(ConvertErrorOf([] { StrToInt64("9223372036854775808"); }),
              "'9223372036854775808' is not a valid integer value");
}

TEST_F(Numbers, DecimalStrToIntTakesASignAndDecimalDigitsOnly) {
    const std::pair<const char*, int> good[] = {{"0", 0},
                                                {"0010", 10},
                                                {"-1", -1},
                                                {"+80", 80},
                                                {"2147483647", INT32_MAX},
                                                {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : good) {
        EXPECT_EQ(DecimalStrToInt(text), value) << text;
        EXPECT_EQ(TryDecimalStrToInt(text), value) << text;
    }
    for (const char* text :
         {"", "-", "+", " 1", "1 ", "0x10", "x3C", "$1388", "1e3", "1.0", "2147483648", "--1"}) {
        EXPECT_EQ(ConvertErrorOf([&] { DecimalStrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
        EXPECT_EQ(TryDecimalStrToInt(text), std::nullopt) << text;
    }
}

TEST_F(Numbers, StrToFloatUsesTheDecimalSeparator) {
    struct Case {
        char separator;
        const char* text;
        double value; // NAN: the conversion error
    };
    const Case cases[] = {
        {',', " -0,25 ", -0.25}, {',', ",5", 0.5},   {',', "5,", 5},    {',', "+2,5e+1", 25},
        {'.', "1.5", 1.5},       {'.', "1e-400", 0}, {',', "1.5", NAN}, {'.', "1,5", NAN},
        {',', "", NAN},          {',', ",", NAN},    {',', "1e", NAN},  {',', "1 5", NAN},
        {'.', "1e400", NAN},     {',', "$10", NAN},
    };
    for (const Case& c : cases) {
        DecimalSeparator = c.separator;
        if (std::isnan(c.value))
            EXPECT_EQ(ConvertErrorOf([&] { StrToFloat(c.text); }),
                      "'" + std::string(c.text) + "' is not a valid floating point value");
        else
            EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value) << c.text;
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
        {',', -0.0, "0"},
        {',', 1e20, "1E20"},
        {',', 123456789012345678.0, "1,23456789012346E17"},
        {',', 123456789012345.0, "123456789012345"},
        {',', 1e15, "1E15"},
        {',', 0.0001, "0,0001"},
        {'.', -1.5e-5, "-1.5E-5"},
        {',', 2.0 / 3, "0,666666666666667"},
        {',', 0.1 + 0.2, "0,3"},
    };
    for (const Case& c : cases) {
        DecimalSeparator = c.separator;
        EXPECT_EQ(FloatToStr(c.value), c.text);
    }
}

TEST_F(Numbers, IntegerTexts) {
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(10, 4), "000A");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t{-1}, 2), "FFFFFFFFFFFFFFFF");
}

} // namespace
