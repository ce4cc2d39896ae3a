#include <gtest/gtest.h>

#include "dialogs/fiscal/terminal_protocol.h"

namespace {

TEST(TerminalProtocol, AnswerFieldsAreTakenFieldByField) {
    const struct {
        std::string body;
        std::string tag, value;
    } cases[] = {
        {"00=17\x1C"
         "01=12345678",
         "01", "12345678"},
        {"02=AUTH01=99\x1C"
         "04=VISA",
         "01", ""}, // a tag inside another value is no field
        {"02=AUTH01=99\x1C"
         "04=VISA",
         "02", "AUTH01=99"},
        {"\x02"
         "00=17\x1C"
         "58=TX1",
         "00", "17"}, // a leading STX belongs to no field
        {std::string("58=TX1\0"
                     "58=TX2",
                     13),
         "58", "TX1"}, // the text ends at NUL
        {"58=A\x1C"
         "58=B",
         "58", "A"}, // the first field of a tag counts
        {"58=\x1C"
         "04=VISA",
         "58", ""},
        {"5=7\x1C"
         "58",
         "58", ""},
        {"", "00", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TerminalValue(ParseTerminalBody(c.body), c.tag), c.value) << c.body;
}

TEST(TerminalProtocol, AnswerTextIsUtf8WhenValidElseCp1251) {
    const std::string cp1251 = "02=\xCF\xF0\xE8\xE2\xE0\xF2\x1C"
                               "58=TXN\xB9"
                               "5";
    EXPECT_EQ(TerminalValue(ParseTerminalText(cp1251), "02"), "Приват");
    EXPECT_EQ(TerminalValue(ParseTerminalText(cp1251), "58"), "TXN№5");
    EXPECT_EQ(TerminalValue(ParseTerminalText("58=TXN№5"), "58"), "TXN№5");
    // Bytes after the answer's NUL do not decide its encoding.
    EXPECT_EQ(TerminalValue(ParseTerminalText(std::string("58=№\0\xCF", 8)), "58"), "№");
}

TEST(TerminalProtocol, TheRequestFitsItsLengthByte) {
    const std::string body = "\x02"
                             "00=17\x1C"
                             "03=S\x1C"
                             "05=1250\x1C"
                             "52=980\x1C"
                             "53=UAH\x1C"
                             "61=1";
    EXPECT_EQ(SaleRequestFrame("17", 1250), (std::string{'\0', static_cast<char>(body.size())} + body));
    const size_t room = 255 - (body.size() - 2);
    EXPECT_TRUE(SaleRequestFrame(std::string(room, '1'), 1250));
    EXPECT_FALSE(SaleRequestFrame(std::string(room + 1, '1'), 1250));
    EXPECT_FALSE(SaleRequestFrame("1\x1C"
                                  "05=1",
                                  1250)); // would add a field
    EXPECT_EQ(TerminalControlFrame(0x12), std::string("\x00\x01\x12", 3));
}

} // namespace
