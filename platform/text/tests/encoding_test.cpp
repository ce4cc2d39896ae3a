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

TEST(Cp1251, BytesMapToTheirCharacters) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] =
        {
            {0x41, "A"}, {0xC0, "А"}, {0xDF, "Я"}, {0xE0, "а"},        {0xFF, "я"},
            {0xA8, "Ё"}, {0xB8, "ё"}, {0xB9, "№"}, {0x88, "€"},        {0x80, "Ђ"},
            {0x96, "–"}, {0xA5, "Ґ"}, {0xB4, "ґ"}, {0xA0, "\u00A0"},   {0xAB, "«"},
            {0xBB, "»"}, {0x99, "™"}, {0xBF, "ї"}, {0x98, "\xC2\x98"}, // no character: its C1 code point
        };
    for (const Case& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1251ToUtf8(byte), c.utf8) << int(c.byte);
        EXPECT_EQ(Utf8ToCp1251(c.utf8), byte) << int(c.byte);
    }
}

TEST(Cp1251, WholeTextsConvertBothWays) {
    EXPECT_EQ(Utf8ToCp1251("КСЕФ №5"), "\xCA\xD1\xC5\xD4 \xB9"
                                       "5");
    EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2;1;"), "Привет;1;");
    EXPECT_EQ(Cp1251ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1251, CharactersWithoutAByteAndBrokenUtf8BecomeQuestionMarks) {
    struct Case {
        const char* utf8;
        const char* cp1251;
    };
    const Case cases[] = {
        {"中", "?"},
        {"a😀b", "a?b"},
        {"\xC2\x80", "?"}, // U+0080: CP1251 80h is another character
        {"\xFF", "?"},     // never a UTF-8 byte
        {"\xD0", "?"},     // cut short
        {"\xD0"
         "A",
         "?A"},                       // lead byte without continuation keeps the next character
        {"\xC0\x80", "??"},           // overlong NUL
        {"\xED\xA0\x80", "???"},      // surrogate
        {"\xF4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\x80Я", "?\xDF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
}

TEST(Utf8, ValidityAndFileText) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Ёж 😀"));
    EXPECT_FALSE(IsValidUtf8("\xCA\xD1\xC5\xD4"));
    EXPECT_FALSE(IsValidUtf8("ok\xD0"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));

    EXPECT_EQ(FileTextToUtf8("КСЕФ"), "КСЕФ");
    EXPECT_EQ(FileTextToUtf8("\xCA\xD1\xC5\xD4"), "КСЕФ");
    EXPECT_EQ(FileTextToUtf8("ascii only"), "ascii only");
}

TEST(Utf8, CountsAndCutsByCharacters) {
    EXPECT_EQ(CharCount(""), 0u);
    EXPECT_EQ(CharCount("Привет"), 6u);
    EXPECT_EQ(CharCount("a😀b"), 3u);
    EXPECT_EQ(CharCount("a\xFF"
                        "b"),
              3u); // a broken byte is one character
    EXPECT_EQ(CharLeft("Привет", 3), "При");
    EXPECT_EQ(CharLeft("Привет", 0), "");
    EXPECT_EQ(CharLeft("Привет", 99), "Привет");
    EXPECT_EQ(CharLeft("a😀b", 2), "a😀");
    EXPECT_EQ(CharLeft("\xD0\xD0\x9F", 2), "\xD0\xD0\x9F");
}

} // namespace
