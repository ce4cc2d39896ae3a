#include "monitor/exchange_lines.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

AnswerRecord Exchange(const std::string& sent, const std::string& received) {
    AnswerRecord answer;
    answer.SentFrame = sent;
    std::memcpy(answer.RawAnswer.data(), received.data(), received.size());
    return answer;
}

// 21h sent with SEQ 21h; answered with the date and time and the idle status bytes.
const std::string kSent = "\x01+!!736204;\x05"
                          "01>3\x03";
const std::string kReceived = "\x01<!!0000;070326;0905;\x04\x80\x80\x80\x88\x80\x80\x05"
                              "06?8\x03";

TEST(ExchangeLines, ControlBytesShowAsHexInBracketsAndTextAsCharacters) {
    const struct {
        std::string bytes, shown;
    } cases[] = {
        {"abc", "abc"},
        {"\x05"
         "01>3\x03",
         "<05>01>3<03>"},
        {"\xD7\xE5\xEA;", "Чек;"}, // code-page 1251
        {std::string("a\0b", 3), "a<00>b"},
        {"\x7F\x98", "<7F><98>"}, // delete, and the one code-page byte without a character
        {"\x80\xB9", "Ђ№"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownBytes(c.bytes), c.shown) << c.shown;
}

TEST(ExchangeLines, WholeFramesAndDataPartsFromTheLengthByte) {
    const AnswerRecord answer = Exchange(kSent, kReceived);
    EXPECT_EQ(SentFrameLine(answer), "PC: +!!736204;<05>01>3<03>");
    EXPECT_EQ(AnswerFrameLine(answer), "FP: <!!0000;070326;0905;<04><80><80><80><88><80><80><05>06?8<03>");
    EXPECT_EQ(SentDataLine("21", answer), "PC: (21)736204;");
    EXPECT_EQ(AnswerDataLine(answer), "FP: <!!0000;070326;0905;");
}

TEST(ExchangeLines, ShortOrMissingFramesGiveEmptyParts) {
    // Nothing arrived yet; a cut answer; bytes ahead of the SOH are left out.
    EXPECT_EQ(AnswerFrameLine(Exchange(kSent, "")), "FP: ");
    EXPECT_EQ(AnswerDataLine(Exchange(kSent, "\x01<!!00")), "FP: ");
    EXPECT_EQ(AnswerFrameLine(Exchange(kSent, "zz\x01<!")), "FP: <!");
    EXPECT_EQ(AnswerFrameLine(Exchange(kSent, "\x01<!!0000;\x04\x80\x81")), "FP: <!!0000;<04><80><81>");
    EXPECT_EQ(SentDataLine("21", Exchange("", "")), "PC: (21)");
}

} // namespace
