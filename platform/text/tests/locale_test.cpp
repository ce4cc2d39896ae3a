// The tests run in the C, Russian and Ukrainian locales; the numbers the program writes and reads
// must come out the same in each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/text/tests/c_locale.h"
#include "platform/text/text.h"

namespace {

// The locale ctest declares for this run is the one the process gets, as a GUI program sets it
// from its environment at start.
TEST(TestLocale, TheDeclaredLocaleIsInForce) {
    const char* declared = std::getenv("LC_ALL");
    const char* folder = std::getenv("LOCPATH");
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "the locale " << (declared ? declared : "")
                                                   << " is missing from LOCPATH=" << (folder ? folder : "")
                                                   << " (the build makes it: target kaltor_test_locales)";
    const bool comma =
        declared && (std::strncmp(declared, "ru_", 3) == 0 || std::strncmp(declared, "uk_", 3) == 0);
    EXPECT_EQ(CLocaleScope::PrintfHalf(), comma ? "0,5" : "0.5");
    std::setlocale(LC_ALL, "C");
}

// Every conversion of the program's own between numbers and text, run in one locale.
std::vector<std::string> ConversionsInLocale(const std::string& locale) {
    CLocaleScope scope(locale);
    EXPECT_EQ(CLocaleScope::PrintfHalf(), locale == "C" ? "0.5" : "0,5") << locale;
    const auto parsed = [](const std::string& text, char separator) {
        const auto value = TryStrToFloat(text, separator);
        return value ? FixedToStr(*value, 6) : std::string("none");
    };
    std::vector<std::string> texts;
    for (double value : {0.0, 12.5, -1234.567, 1.255, 99.995, 0.0001, 1e20, 1.5e-7, 123456789012345.0}) {
        texts.push_back(FloatToStr(value, '.'));     // wire and files
        texts.push_back(FloatToStr(value, '.', 7));  // a stored single
        texts.push_back(FloatToStr(value, '.', 19)); // a stored currency
        texts.push_back(FloatToStr(value, ','));     // a window
        texts.push_back(FixedToStr(value, 2));       // an amount
        texts.push_back(FixedToStr(value, 3));       // a quantity
        texts.push_back(FixedToStr(value, 2, ','));
    }
    for (const char* text : {"12.50", "-0.25", "1.5E-7", "20.00", "12,50", "1 000.5", ""}) {
        texts.push_back(parsed(text, '.'));
        texts.push_back(parsed(text, ','));
    }
    DecimalSeparator = ',';
    texts.push_back(FloatToStr(0.125) + " " + FixedToStr(StrToFloat("16,5"), 2));
    DecimalSeparator = '.';
    texts.push_back(FloatToStr(0.125) + " " + FixedToStr(StrToFloat("16.5"), 2));
    DecimalSeparator = ',';
    return texts;
}

TEST(LocaleFreeNumbers, AmountsRatesAndStoredValuesReadAndWriteAsInTheCLocale) {
    const std::vector<std::string> inC = ConversionsInLocale("C");
    EXPECT_EQ(inC[0], "0");
    EXPECT_EQ(inC[7], "12.5");
    EXPECT_EQ(inC[11], "12.50");
    EXPECT_EQ(inC[12], "12.500");
    EXPECT_EQ(inC.back(), "0.125 16.50");
    for (const char* locale : {"ru_RU.UTF-8", "uk_UA.UTF-8"})
        EXPECT_EQ(ConversionsInLocale(locale), inC) << locale;
}

TEST(LocaleFreeNumbers, GeneralFormatFollowsTheDigitsAsked) {
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {
        {1.25, 7, "1.25"},
        {0.1, 7, "0.1"},
        {1.0 / 3, 7, "0.3333333"},
        {12345678, 7, "1.234568E7"},
        {1234567, 7, "1234567"},
        {1e-5, 7, "1E-5"},
        {0.1, 19, "0.1000000000000000056"},
        {-2.5, 15, "-2.5"},
        {1e15, 15, "1E15"},
        {1e14, 15, "100000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value, '.', c.digits), c.text) << c.value << " " << c.digits;
    EXPECT_EQ(FixedToStr(2.675, 2), "2.67"); // the double just below 2.675
}

} // namespace
