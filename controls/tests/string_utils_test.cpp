#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "controls/string_utils.h"

namespace {

TEST(StringUtilsTest, ReplacingNeverSearchesTheReplacementAgain) {
    const struct {
        const char* text;
        const char* search;
        const char* replace;
        const char* expected;
    } cases[] = {
        {"aaaa", "aa", "a", "aa"}, {"abc", "", "x", "abc"},   {"дата.дата", ".", "/", "дата/дата"},
        {"", "a", "b", ""},        {"a.b.c", ".", "", "abc"}, {"xx", "x", "xx", "xxxx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceStr(c.text, c.search, c.replace), c.expected) << c.text;
}

TEST(StringUtilsTest, SubstringsAreCutAtTheDelimitersAndThePositionMovesOn) {
    const struct {
        const char* text;
        int position;
        const char* expected;
        int next;
    } cases[] = {
        {"a;b", 1, "a", 3},
        {"a;b", 3, "b", 4},
        {"a;b", 4, "", 4},
        {";b", 1, "", 2},
        {"/tmp;/home", 6, "/home", 11},
        {"ж;з", 1, "ж", 3},
        {"a;b", 0, "a", 3},
    };
    for (const auto& c : cases) {
        int position = c.position;
        EXPECT_EQ(ExtractSubstr(c.text, position, ";"), c.expected) << c.text << " " << c.position;
        EXPECT_EQ(position, c.next) << c.text << " " << c.position;
    }
}

TEST(StringUtilsTest, WordsAndFields) {
    EXPECT_EQ(WordCount("  один два  три ", WordDelimiters), 3);
    EXPECT_EQ(WordPosition(2, "  один два", WordDelimiters), 8);
    EXPECT_EQ(ExtractWord(3, "a b c", WordDelimiters), "c");
    EXPECT_EQ(ExtractWord(4, "a b c", WordDelimiters), "");
    EXPECT_EQ(ExtractDelimited(2, "a;;c", ";"), "");
    EXPECT_EQ(ExtractDelimited(3, "a;;c", ";"), "c");
    EXPECT_EQ(ExtractDelimited(0, "a;;c", ";"), "");
    EXPECT_TRUE(IsWordPresent("два", "один два", WordDelimiters));
    EXPECT_FALSE(IsWordPresent("Два", "один два", WordDelimiters));
    EXPECT_EQ(AnsiProperCase("иВАН пЕТРОВ", WordDelimiters), "Иван Петров");
    EXPECT_EQ(NPos("aa", "aaaa", 3), 3); // occurrences overlap
    EXPECT_EQ(NPos("aa", "aaaa", 4), 0);
    EXPECT_EQ(NPos("a", "abc", 0), 0);
}

TEST(StringUtilsTest, BlanksAndPadding) {
    const struct {
        std::string actual;
        const char* expected;
    } cases[] = {
        {DelSpace(" a b "), "ab"},
        {DelBSpace("  a "), "a "},
        {DelESpace(" a  "), " a"},
        {DelRSpace("  a  "), "a"},
        {DelSpace1("a   b  c"), "a b c"},
        {Tab2Space("a\tb", 2), "a  b"},
        {MakeStr(U'ж', 3), "жжж"},
        {MakeStr('x', -2), ""},
        {AddChar('0', "7", 3), "007"},
        {AddCharR('.', "ab", 4), "ab.."},
        {AddChar('0', "1234", 3), "1234"},
        {LeftStr("ab", 4), "ab  "},
        {RightStr("ab", 4), "  ab"},
        {CenterStr("ab", 6), "  ab  "},
        {Copy2Symb("key=value", '='), "key"},
        {Copy2Space("один два"), "один"},
        {Numb2USA("1234567"), "1,234,567"},
        {Numb2USA("123"), "123"},
        {QuotedString("it's", '\''), "'it''s'"},
        {ExtractQuotedString("'it''s' tail", '\''), "it's"},
        {ExtractQuotedString("plain", '\''), "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
    std::string text = "key =value";
    EXPECT_EQ(Copy2SymbDel(text, '='), "key ");
    EXPECT_EQ(text, "=value");
    text = "один   два";
    EXPECT_EQ(Copy2SpaceDel(text), "один");
    EXPECT_EQ(text, "два");
}

TEST(StringUtilsTest, NumbersAsText) {
    EXPECT_EQ(IntToRoman(1994), "MCMXCIV");
    EXPECT_EQ(RomanToInt("MCMXCIV"), 1994);
    EXPECT_EQ(RomanToInt("-XL"), -40);
    EXPECT_EQ(RomanToInt("XLZ"), 0);
    EXPECT_EQ(IntToRoman(0), "");
    EXPECT_EQ(Dec2Hex(255, 4), "00FF");
    EXPECT_EQ(Dec2Hex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(Hex2Dec("FF"), 255);
    EXPECT_EQ(Hex2Dec("$1A"), 26);
    EXPECT_EQ(Hex2Dec("XYZ"), 0);
    EXPECT_EQ(Dec2Numb(0, 1, 2), "0");
    EXPECT_EQ(Dec2Numb(255, 10, 2), "0011111111");
    EXPECT_EQ(Dec2Numb(35, 0, 36), "Z");
    EXPECT_EQ(Dec2Numb(5, 0, 1), ""); // a base that would never finish
    EXPECT_EQ(Dec2Numb(5, 0, 0), "");
    EXPECT_EQ(Numb2Dec("zz", 36), 1295);
    EXPECT_EQ(Numb2Dec("12", 2), 0);
    EXPECT_EQ(IntToBin(5, 4, 0), "0101");
    EXPECT_EQ(IntToBin(0xA5, 8, 4), " 1010 0101");
    EXPECT_EQ(IntToBin(5, 3, 2), "1 01");
    EXPECT_EQ(IntToBin(-1, 40, 0), std::string(32, '1'));
}

// Values beyond the result's range give 0, as a text that is no number does.
TEST(StringUtilsTest, NumbersBeyondTheirRangeGiveZero) {
    EXPECT_EQ(Numb2Dec("7FFFFFFFFFFFFFFF", 16), INT64_MAX);
    EXPECT_EQ(Numb2Dec("8000000000000000", 16), 0);
    EXPECT_EQ(Numb2Dec(std::string(100, 'Z'), 36), 0);
    EXPECT_EQ(RomanToInt(std::string(2147483, 'M') + "DCXLVII"), INT_MAX);
    EXPECT_EQ(RomanToInt(std::string(2147484, 'M')), 0);
    EXPECT_EQ(RomanToInt("-" + std::string(2147484, 'M')), 0);
}

TEST(StringUtilsTest, WildcardMatching) {
    const struct {
        const char* text;
        const char* mask;
        bool ignoreCase, matches;
    } cases[] = {
        {"REPORT.TXT", "*.???", false, true}, {"REPORT.TXT", "*.BIN", false, false},
        {"report.txt", "*.TXT", true, true},  {"report.txt", "*.TXT", false, false},
        {"abcdef", "a*c*f", false, true},     {"abcdef", "a*x*f", false, false},
        {"abc", "**", false, true},           {"", "a", false, false},
        {"abc", "abc", false, true},          {"abc", "ab", false, false},
        {"ab", "ab*", false, true},           {"a1b2", "a?b?", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsWild(c.text, c.mask, c.ignoreCase), c.matches) << c.text << " " << c.mask;
    EXPECT_EQ(FindPart("c?e", "abcdef"), 3);
    EXPECT_EQ(FindPart("x", "abc"), 0);
}

TEST(StringUtilsTest, CodingAndConversionsRoundTrip) {
    EXPECT_EQ(XorEncode("k", "AB"), "2A29");
    EXPECT_EQ(XorDecode("k", "2A29"), "AB");
    EXPECT_EQ(XorString("", "текст"), "текст");
    EXPECT_EQ(XorDecode("ключ", XorEncode("ключ", "Пароль 736204")), "Пароль 736204");
    EXPECT_EQ(StrToOem("Яя№"), "\x9F\xEF\xFC");
    EXPECT_EQ(OemToAnsiStr(StrToOem("Касса Ёё 12")), "Касса Ёё 12");
    EXPECT_TRUE(IsEmptyStr("  ..", " ."));
    EXPECT_TRUE(IsEmptyStr("", " "));
    EXPECT_FALSE(IsEmptyStr(" 1.", " ."));
    EXPECT_EQ(CompText("абв", "АБВ"), 0);
    EXPECT_EQ(CompStr("а", "б"), -1);
    EXPECT_EQ(CompStr("ё", "ж"), -1); // Russian order, not code points
}

TEST(StringUtilsTest, CommandLineArguments) {
    const std::vector<std::string> args = {"-port", "/dev/ttyS0", "/LOG", "1", "plain"};
    EXPECT_EQ(GetCmdLineArg("PORT", "-/", args), "/dev/ttyS0");
    EXPECT_EQ(GetCmdLineArg("log", "-/", args), "1");
    EXPECT_EQ(GetCmdLineArg("log", "-", args), "");
    EXPECT_EQ(GetCmdLineArg("lain", "", args), ""); // the last argument has nothing after it
    EXPECT_EQ(GetCmdLineArg("port", "", args), "/dev/ttyS0");
}

TEST(StringUtilsTest, LargestAndSmallest) {
    EXPECT_EQ(MaxInteger({3, -1, 7}), 7);
    EXPECT_EQ(MinInteger({3, -1, 7}), -1);
    EXPECT_EQ(MaxInteger({}), 0);
    EXPECT_EQ(MinDateTime({45000.5, 1.0}), 1.0);
    EXPECT_EQ(Max(-3, 2), 2);
    EXPECT_EQ(Min(-3, 2), -3);
    int a = 1, b = 2;
    SwapInt(a, b);
    EXPECT_EQ(a, 2);
}

} // namespace
