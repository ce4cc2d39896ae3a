// The receiver and the answer parser, fed bytes directly: no port involved.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/answer_parse.h"
#include "driver/receiver.h"
#include "tools/regsim/frame_codec.h"

namespace {

constexpr std::array<uint8_t, 6> NoStatus = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};

std::string Answer(uint8_t code, const std::string& error, const std::string& data,
                   std::array<uint8_t, 6> status = NoStatus) {
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

TEST_F(AnswerExchange, SilenceKeepsTheOlderErrorFieldAndRawAnswer) {
    Exchange(0x21, Answer(0x21, "0106", "1;2;", {0x81, 0x82, 0x80, 0x80, 0x80, 0x80}));
    Exchange(0x80, "");
    EXPECT_EQ(record.StatusWord, StatusNoAnswer);
    EXPECT_EQ(record.FieldCount, 0u);
    EXPECT_EQ(record.StatusBytes, (std::array<uint8_t, 6>{}));
    EXPECT_EQ(record.ErrorField, "0106");
    EXPECT_EQ(Raw(), Answer(0x21, "0106", "1;2;", {0x81, 0x82, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_EQ(record.Description, "Команда 80h: Диагностическая информация");
}

TEST_F(AnswerExchange, PartialAnswerOverwritesOnlyTheStartOfTheRawAnswer) {
    const std::string full = Answer(0x21, "0000", "070326;0905;");
    Exchange(0x21, full);
    Exchange(0x21, full.substr(0, 5));
    EXPECT_EQ(record.StatusWord, StatusNoAnswer);
    EXPECT_EQ(Raw(), full.substr(0, 5));
    EXPECT_EQ(std::string(record.RawAnswer.data() + 6), full.substr(6)); // the older tail behind the NUL
}

TEST_F(AnswerExchange, TransportFormsOfTheStatusWord) {
    std::string badChecksum = Answer(0x21, "0000", "1;", {0x81, 0x80, 0x80, 0x80, 0x80, 0x80});
    badChecksum[badChecksum.size() - 2] ^= 1;
    std::string earlyEtx = Answer(0x21, "0000", "1;");
    earlyEtx.erase(earlyEtx.size() - 3, 2); // two checksum characters missing
    const struct {
        const char* name;
        std::string bytes;
        uint32_t statusWord;
    } cases[] = {
        {"nothing", "", StatusNoAnswer},
        {"NAK alone", "\x15", StatusNak},
        {"wrong checksum character", badChecksum, StatusChecksum},
        {"ETX before the checksum ends", earlyEtx, StatusChecksum},
        {"frame cut before ETX", Answer(0x21, "0000", "1;").substr(0, 20), StatusNoAnswer},
        {"other byte in place of ETX", Answer(0x21, "0000", "1;").substr(0, 23) + "X", StatusNoAnswer},
        {"NAK, then a whole frame", "\x15" + Answer(0x21, "0000", "1;"), StatusNak},
    };
    for (const auto& c : cases) {
        Exchange(0x21, c.bytes);
        EXPECT_EQ(record.StatusWord, c.statusWord) << c.name;
    }
    Exchange(0x21, badChecksum);
    EXPECT_EQ(record.StatusBytes[0], 0x01) << "status bytes are kept although the checksum failed";
}

TEST_F(AnswerExchange, StatusBitsMapToTheStatusWord) {
    const struct {
        size_t byte;
        uint8_t value;
        uint32_t statusWord;
    } cases[] = {
        {0, 0x80, 0},          {0, 0xA0, 0x08000000}, {0, 0x01, 0x00000001}, {0, 0x08, 0},
        {0, 0x10, 0x00000008}, {0, 0x40, 0},          {1, 0x01, 0x00000010}, {1, 0x08, 0x00000080},
        {1, 0x10, 0x00000100}, {1, 0x20, 0x00001000}, {2, 0x01, 0x00000200}, {2, 0x02, 0},
        {2, 0x08, 0x00000400}, {2, 0x20, 0x00000800}, {3, 0x3F, 0},          {4, 0x01, 0x00010000},
        {4, 0x04, 0x00002000}, {4, 0x08, 0x00100000}, {4, 0x10, 0x00020000}, {4, 0x20, 0x10000000},
        {5, 0x01, 0x00040000}, {5, 0x02, 0x00200000}, {5, 0x04, 0x00080000}, {5, 0x08, 0x00400000},
        {5, 0x10, 0x00800000}, {5, 0x20, 0x00004000}, {5, 0xC0, 0},
    };
    for (const auto& c : cases) {
        std::array<uint8_t, 6> status = NoStatus;
        status[c.byte] = c.value | 0x80; // registers set bit 7, so no status byte looks like SOH or ETX
        Exchange(0x21, Answer(0x21, "0000", "", status));
        EXPECT_EQ(record.StatusWord, c.statusWord) << "S" << c.byte << " = " << int(c.value);
        EXPECT_EQ(record.StatusBytes[c.byte], c.value & 0x7F);
    }
}

TEST_F(AnswerExchange, FixUpsOfTheCommandLastSent) {
    const struct {
        uint32_t code;
        std::string data;
        std::vector<std::string> fields;
    } cases[] = {
        {0x35, "1234", {"1,234"}},
        {0x32, "50;7", {"5,0", "7"}},
        {0x35, "x", {"x"}},
        {0x3E, "123456789012", {"12345678,012"}},
        {0x3E, "12345678", {"12345678"}},
        {0x5A, "a b c;1 2", {"a,b,c", "1,2"}},
        {0x5A, "12345678901234567890 x", {"12345678901234567890 x"}},
        {0x21, "1 2", {"1 2"}},
    };
    for (const auto& c : cases) {
        Exchange(c.code, Answer(static_cast<uint8_t>(c.code), "0000", c.data));
        EXPECT_EQ(Fields(), c.fields) << c.data;
        EXPECT_EQ(record.DataCopy, c.data);
    }
}

TEST_F(AnswerExchange, DataSplitsIntoFields) {
    const struct {
        std::string data;
        std::vector<std::string> fields;
    } cases[] = {
        {"12;ABC;0;", {"12", "ABC", "0"}},
        {"5;;7", {"5", "", "7"}},
        {"a;;", {"a;"}},
        {"a;b;;", {"a", "b"}},
        {";", {""}},
        {";x", {"", "x"}},
        {"a;;;", {"a", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        Exchange(0x21, Answer(0x21, "0000", c.data));
        EXPECT_EQ(Fields(), c.fields) << c.data;
    }
}

TEST_F(AnswerExchange, FieldSlotsWithoutFieldsReadEmpty) {
    Exchange(0x21, Answer(0x21, "0000", "1;2;3;"));
    Exchange(0x21, Answer(0x21, "0000", ""));
    EXPECT_EQ(record.FieldCount, 0u);
    EXPECT_EQ(record.Field(1), "");
    EXPECT_EQ(record.Field(3), "");
    EXPECT_EQ(record.Field(21), "");
}

TEST_F(AnswerExchange, TwentiethFieldKeepsTheRestOfALongAnswer) {
    std::string data;
    for (int i = 1; i <= 25; ++i)
        data += std::to_string(i) + ";";
    Exchange(0x21, Answer(0x21, "0000", data));
    ASSERT_EQ(record.FieldCount, 20u);
    EXPECT_EQ(record.Field(19), "19");
    EXPECT_EQ(record.Field(20), "20;21;22;23;24;25");
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

TEST_F(AnswerExchange, TextsArriveInCp1251AndAreKeptAsUtf8) {
    Exchange(0x80, Answer(0x80, "0000", "\xCA\xE0\xF1\xF1\xE0;1;")); // "Касса" in CP1251
    EXPECT_EQ(record.Field(1), "Касса");
    EXPECT_EQ(record.DataCopy, "Касса;1;");
}

TEST_F(AnswerExchange, AnswerDataEndsAtANulByte) {
    Exchange(0x21, Answer(0x21, "0000", std::string("ab\0;cd", 6)));
    EXPECT_EQ(record.DataCopy, "ab");
    EXPECT_EQ(Fields(), (std::vector<std::string>{"ab"}));
}

TEST(AnswerRecordTest, FieldsAreCountedFromOne) {
    AnswerRecord record;
    record.Fields[0] = "first";
    record.Fields[19] = "last";
    EXPECT_EQ(record.Field(1), "first");
    EXPECT_EQ(record.Field(20), "last");
    EXPECT_EQ(record.Field(0), "");
    EXPECT_EQ(record.Field(-3), "");
}

} // namespace
