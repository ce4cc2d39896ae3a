#include "driver/ean13.h"

#include <gtest/gtest.h>

namespace {

// The standard's digit tables, written out as module strings (1 = bar).
const char* const SetL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                              "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const SetG[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                              "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const SetR[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                              "1001110", "1010000", "1000100", "1001000", "1110100"};
const char* const FirstDigitParity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                          "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

std::string ExpectedModules(const std::string& digits) {
    std::string row = std::string(9, '0') + "101";
    for (int i = 0; i < 6; ++i) {
        int digit = digits[1 + i] - '0';
        row += FirstDigitParity[digits[0] - '0'][i] == 'L' ? SetL[digit] : SetG[digit];
    }
    row += "01010";
    for (int i = 0; i < 6; ++i)
        row += SetR[digits[7 + i] - '0'];
    row += "101" + std::string(9, '0');
    return row + std::string(128 - row.size(), '0');
}

std::string AsText(const Ean13Row& row) {
    std::string text;
    for (uint8_t module : row)
        text.push_back(static_cast<char>('0' + module));
    return text;
}

TEST(Ean13CheckDigit, WeighsThreeOneFromTheRight) {
    struct Case {
        const char* code;
        int check;
    };
    for (const Case& c : {Case{"413844362243", 8}, // weighted sum 92
                          Case{"368595748906", 0}, // weighted sum a multiple of 10
                          Case{"400638133393", 1}, Case{"590123412345", 7}, Case{"978020137962", 4},
                          Case{"000000000000", 0}, Case{"000000000001", 7}, Case{"999999999999", 4}}) {
        EXPECT_EQ(Ean13CheckDigit(c.code), c.check) << c.code;
    }
}

TEST(Ean13Modules, FollowTheStandardTablesForEveryFirstDigit) {
    // Every first digit once, and every digit in every set across the rows.
    for (const char* code : {"0123456789012", "1234567890128", "2345678901234", "3456789012340",
                             "4567890123456", "5678901234562", "6789012345678", "7890123456784",
                             "8901234567890", "9012345678906", "4006381333931"}) {
        EXPECT_EQ(AsText(Ean13Modules(code)), ExpectedModules(code)) << code;
    }
}

TEST(PackModules, GivesFourModulesToAnUpperCaseHexDigit) {
    Ean13Row row{};
    EXPECT_EQ(PackModules(row), std::string(32, '0'));
    row[0] = 1; // weight 8 of digit 0
    row[7] = 1; // weight 1 of digit 1
    row[125] = row[126] = row[127] = 1;
    EXPECT_EQ(PackModules(row), "81" + std::string(29, '0') + "7");
    row.fill(1);
    EXPECT_EQ(PackModules(row), std::string(32, 'F'));
}

TEST(PackModules, KnownSymbolsFromQuietZoneToPadding) {
    EXPECT_EQ(PackModules(Ean13Modules("4006381333931")), "0051A9D7BD12CD50A142E90B35000000");
    EXPECT_EQ(PackModules(Ean13Modules("5901234123457")), "005169D9937A7559B642B93A25000000");
    EXPECT_EQ(PackModules(Ean13Modules("9780201379624")), "00576253934E6550A274A1B2E5000000");
}

TEST(IsEan13Code, AcceptsOnlyTwelveDigits) {
    EXPECT_TRUE(IsEan13Code("400638133393"));
    for (const char* code :
         {"", "40063813339", "4006381333931", "40063813339a", " 40063813339", "40063813339-"}) {
        EXPECT_FALSE(IsEan13Code(code)) << code;
    }
}

} // namespace
