// The receiver and the answer parser, fed bytes directly: no port involved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/answer_parse.h"
#include "driver/receiver.h"
#include "tools/regsim/frame_codec.h"

namespace {

using Status = std::array<uint8_t, 6>;
constexpr Status NoStatus = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80}; // registers set bit 7 in every status byte

std::string Answer(uint8_t code, const std::string& error, const std::string& data,
                   Status status = NoStatus) {
    return regsim::BuildAnswerFrame({0x21, code, error, data, status});
}

// One exchange as the link runs it: the record of the command `code`, these bytes, the parse.
class AnswerExchange : public ::testing::Test {
protected:
    void Exchange(uint32_t code, const std::string& bytes) {
        record.SentCode = code;
        receiver.BeginExchange();
        for (char byte : bytes)
            receiver.Feed(static_cast<uint8_t>(byte));
        ParseAnswer(receiver, "736204;", record);
        receiver.EndExchange();
    }
    std::string Raw() const { return record.RawAnswer.data(); }
    std::vector<std::string> Fields() const {
        return {record.Fields.begin(), record.Fields.begin() + record.FieldCount};
    }

    AnswerRecord record;
    Receiver receiver{record.RawAnswer};
};

TEST_F(AnswerExchange, WellFormedAnswerFillsTheRecord) {
    Exchange(0x21, Answer(0x21, "0000", "070326;0905;"));
    EXPECT_EQ(record.StatusWord, 0u);
    EXPECT_EQ(record.ErrorField, "0000");
    EXPECT_EQ(Fields(), (std::vector<std::string>{"070326", "0905"}));
    EXPECT_EQ(record.DataCopy, "070326;0905;");
    EXPECT_EQ(record.Description, "Команда 21h: Чтение даты и времени");
    EXPECT_EQ(record.SentData, "736204;");
    EXPECT_EQ(Raw(), Answer(0x21, "0000", "070326;0905;"));
}

TEST_F(AnswerExchange, SilenceAndPartialAnswersLeaveOlderTextsInPlace) {
    const std::string older = Answer(0x21, "0106", "1;2;", {0x81, 0x82, 0x80, 0x80, 0x80, 0x80});
    Exchange(0x21, older);
    Exchange(0x80, "");
    EXPECT_EQ(record.StatusWord, StatusNoAnswer);
    EXPECT_EQ(record.FieldCount, 0u);
    EXPECT_EQ(record.Field(1), "");
    EXPECT_EQ(record.StatusBytes, Status{});
    EXPECT_EQ(record.ErrorField, "0106");
    EXPECT_EQ(Raw(), older);

    Exchange(0x21, older.substr(0, 5));
    EXPECT_EQ(Raw(), older.substr(0, 5));
    EXPECT_EQ(std::string(record.RawAnswer.data() + 6), older.substr(6));
}

TEST_F(AnswerExchange, TransportFormsOfTheStatusWord) {
    const std::string good = Answer(0x21, "0000", "1;", {0x81, 0x80, 0x80, 0x80, 0x80, 0x80});
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 2] ^= 1;
    const std::string earlyEtx = good.substr(0, good.size() - 3) + "\x03";
    const struct {
        const char* name;
        std::string bytes;
        uint32_t statusWord;
    } cases[] = {
        {"nothing", "", StatusNoAnswer},
        {"NAK alone", "\x15", StatusNak},
        {"wrong checksum character", badChecksum, StatusChecksum},
        {"ETX before the checksum ends", earlyEtx, StatusChecksum},
        {"frame cut before ETX", good.substr(0, 20), StatusNoAnswer},
        {"other byte in place of ETX", good.substr(0, 23) + "X", StatusNoAnswer},
        {"NAK, then a whole frame", "\x15" + good, StatusNak},
        {"whole frame", good, 0x00000001},
    };
    for (const auto& c : cases) {
        Exchange(0x21, c.bytes);
        EXPECT_EQ(record.StatusWord, c.statusWord) << c.name;
    }
    Exchange(0x21, badChecksum);
    EXPECT_EQ(record.StatusBytes[0], 0x01) << "status bytes are kept although the checksum failed";
}

TEST_F(AnswerExchange, StrayEtxAfterAWholeAnswerIsNoAnswerOfItsOwn) {
    Exchange(0x21, Answer(0x21, "0000", "1;"));
    ASSERT_EQ(record.StatusWord, 0u);
    Exchange(0x21, "\x03");
    EXPECT_EQ(record.StatusWord, StatusChecksum);
}

TEST_F(AnswerExchange, StatusBitsMapToTheStatusWord) {
    const struct {
        size_t byte;
        uint8_t value;
        uint32_t statusWord;
    } cases[] = {
        {0, 0x00, 0},          {0, 0x20, 0x08000000}, {0, 0x07, 0x00000007}, {0, 0x18, 0x00000008},
        {0, 0x40, 0},          {1, 0x0F, 0x000000F0}, {1, 0x30, 0x00001100}, {2, 0x01, 0x00000200},
        {2, 0x0E, 0x00000400}, {2, 0x30, 0x00000800}, {3, 0x3F, 0},          {4, 0x03, 0x00010000},
        {4, 0x0C, 0x00102000}, {4, 0x30, 0x10020000}, {5, 0x07, 0x002C0000}, {5, 0x38, 0x00C04000},
        {5, 0x40, 0},
    };
    for (const auto& c : cases) {
        Status status = NoStatus;
        status[c.byte] |= c.value;
        Exchange(0x21, Answer(0x21, "0000", "", status));
        EXPECT_EQ(record.StatusWord, c.statusWord) << "S" << c.byte << " = " << int(c.value);
        EXPECT_EQ(record.StatusBytes[c.byte], c.value);
    }
}

TEST_F(AnswerExchange, FixUpsOfTheCommandLastSentAndTheSplit) {
    std::string many;
    for (int i = 1; i <= 25; ++i)
        many += std::to_string(i) + ";";
    const struct {
        uint32_t code;
        std::string data;
        std::vector<std::string> fields;
    } cases[] = {
        {0x21, "12;ABC;0;", {"12", "ABC", "0"}},
        {0x21, "5;;7", {"5", "", "7"}},
        {0x21, "a;;", {"a;"}},
        {0x21, "a;b;;", {"a", "b"}},
        {0x21, ";x", {"", "x"}},
        {0x21, "a;;;", {"a", ""}},
        {0x21, "", {}},
        {0x21, many, {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                      "11", "12", "13", "14", "15", "16", "17", "18", "19", "20;21;22;23;24;25"}},
        {0x35, "1234", {"1,234"}},
        {0x32, "50;7", {"5,0", "7"}},
        {0x35, "x", {"x"}},
        {0x3E, "123456789012", {"12345678,012"}},
        {0x3E, "12345678", {"12345678"}},
        {0x5A, "a b c;1 2", {"a,b,c", "1,2"}},
        {0x5A, "12345678901234567890 x", {"12345678901234567890 x"}},
        {0x21, "1 2", {"1 2"}},
        {0x80, "\xCA\xE0\xF1\xF1\xE0;1;", {"Касса", "1"}}, // CP1251 on the wire, UTF-8 in the record
        {0x21, std::string("ab\0;cd", 6), {"ab"}},
    };
    for (const auto& c : cases) {
        Exchange(c.code, Answer(static_cast<uint8_t>(c.code), "0000", c.data));
        EXPECT_EQ(Fields(), c.fields) << c.data;
    }
    EXPECT_EQ(record.DataCopy, "ab");
    Exchange(0x35, Answer(0x35, "0000", "1234"));
    EXPECT_EQ(record.DataCopy, "1234") << "the copy is taken before the fix-up";
}

TEST_F(AnswerExchange, OverlongPartsStayInsideTheRecord) {
    Exchange(0x21, Answer(0x21, std::string(40, 'E'), "1;"));
    EXPECT_EQ(record.ErrorField, std::string(19, 'E'));
    EXPECT_EQ(record.StatusWord, 0u) << "the whole error field still counts in the checksum";

    const std::string answer = Answer(0x21, "0000", std::string(200, 'd'));
    Exchange(0x21, answer + answer);
    EXPECT_EQ(Raw(), (answer + answer).substr(0, RawAnswerSize - 1));
    EXPECT_EQ(record.Field(1), std::string(200, 'd'));
}

TEST_F(AnswerExchange, SynIsCountedAndLeftOut) {
    const std::string answer = Answer(0x21, "0000", "1;2;");
    Exchange(0x21, "\x16\x16" + answer.substr(0, 10) + "\x16" + answer.substr(10));
    EXPECT_EQ(receiver.SynCount, 3);
    EXPECT_EQ(Raw(), answer);
    EXPECT_EQ(record.StatusWord, 0u);
    EXPECT_EQ(Fields(), (std::vector<std::string>{"1", "2"}));
}

} // namespace
