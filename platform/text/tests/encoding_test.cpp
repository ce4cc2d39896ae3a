#include "platform/text/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, EveryByteRoundTripsThroughValidUtf8) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::string utf8 = Cp1251ToUtf8(original);
        EXPECT_TRUE(IsValidUtf8(utf8)) << byte;
        EXPECT_EQ(Utf8ToCp1251(utf8), original) << byte;
    }
}

TEST(Cp1251, BytesMapToTheirCharactersBothWays) {
    const std::pair<unsigned char, const char*> cases[] = {
        {0x41, "A"}, {0xC0, "А"}, {0xDF, "Я"}, {0xE0, "а"}, {0xFF, "я"}, {0xA8, "Ё"},        {0xB8, "ё"},
        {0xB9, "№"}, {0x88, "€"}, {0x80, "Ђ"}, {0xA5, "Ґ"}, {0xBF, "ї"}, {0x98, "\xC2\x98"}, // no character
    };
    for (const auto& [byte, utf8] : cases) {
        EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(byte))), utf8) << int(byte);
        EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, static_cast<char>(byte))) << int(byte);
    }
    EXPECT_EQ(Utf8ToCp1251("КСЕФ №5"), "\xCA\xD1\xC5\xD4 \xB9"
                                       "5");
}

TEST(Cp1251, CharactersWithoutAByteAndBrokenUtf8BecomeQuestionMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"中", "?"},
        {"a😀b", "a?b"},
        {"\xC2\x80", "?"}, // U+0080: CP1251 80h is another character
        {"\xD0"
         "A",
         "?A"},                       // lead byte without its continuation
        {"\xC0\x80", "??"},           // overlong NUL
        {"\xED\xA0\x80", "???"},      // surrogate
        {"\xF4\x90\x80\x80", "????"}, // above U+10FFFF
    };
    for (const auto& [utf8, cp1251] : cases) {
        EXPECT_EQ(Utf8ToCp1251(utf8), cp1251) << utf8;
        EXPECT_EQ(Utf8ToCp1251Exact(utf8), std::nullopt) << utf8; // the exact conversion refuses instead
    }
    EXPECT_EQ(Utf8ToCp1251Exact("КСЕФ №5"), Utf8ToCp1251("КСЕФ №5"));
}

TEST(Utf16, RoundTripsInBothByteOrders) {
    const std::pair<const char*, std::string> cases[] = {
        {"A", std::string("A\0", 2)},
        {"Я", "\x2F\x04"},
        {"😀", std::string("\x3D\xD8\x00\xDE", 4)}, // a pair of surrogates
    };
    for (const auto& [utf8, little] : cases) {
        EXPECT_EQ(Utf8ToUtf16(utf8, false), little) << utf8;
        std::string big = little;
        for (size_t i = 0; i + 1 < big.size(); i += 2)
            std::swap(big[i], big[i + 1]);
        EXPECT_EQ(Utf8ToUtf16(utf8, true), big) << utf8;
        bool exact = false;
        EXPECT_EQ(Utf16ToUtf8(little, false, &exact), utf8);
        EXPECT_TRUE(exact);
        EXPECT_EQ(Utf16ToUtf8(big, true), utf8);
    }
    EXPECT_EQ(Utf8ToUtf16("ok\xD0", false), std::nullopt);
    // A lone surrogate or an odd last byte cannot come back as it was.
    for (const std::string& broken : {std::string("\x3D\xD8"
                                                  "A\0",
                                                  4),
                                      std::string("A\0B", 3)}) {
        bool exact = true;
        EXPECT_NE(Utf16ToUtf8(broken, false, &exact).find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_FALSE(exact);
    }
}

TEST(Utf8, FileTextAndCharacterCounts) {
    EXPECT_EQ(FileTextToUtf8("КСЕФ"), "КСЕФ");
    EXPECT_EQ(FileTextToUtf8("\xCA\xD1\xC5\xD4"), "КСЕФ");
    EXPECT_FALSE(IsValidUtf8("ok\xD0"));

    EXPECT_EQ(CharCount("Привет"), 6u);
    EXPECT_EQ(CharCount("a😀b"), 3u);
    EXPECT_EQ(CharCount("a\xFF"
                        "b"),
              3u); // a broken byte is one character
    EXPECT_EQ(CharLeft("Привет", 3), "При");
    EXPECT_EQ(CharLeft("Привет", 99), "Привет");
    EXPECT_EQ(CharLeft("a😀b", 2), "a😀");
}

} // namespace
