#include "tools/regsim/frame_codec.h"

#include <gtest/gtest.h>

#include "tools/regsim/tests/pty_client.h"

using namespace regsim;
using regsim_test::CommandFrame;

namespace {

std::vector<ReceivedFrame> PushAll(CommandFrameReader& reader, const std::string& bytes) {
    std::vector<ReceivedFrame> frames;
    for (unsigned char byte : bytes)
        if (auto frame = reader.Push(byte)) frames.push_back(*frame);
    return frames;
}

} // namespace

TEST(ChecksumChars, FourNibblesOfTheLow16BitsMostSignificantFirst) {
    EXPECT_EQ(ChecksumChars(""), "0000");
    EXPECT_EQ(ChecksumChars("\x2B\x21\x21"
                            "736204;\x05"),
              "01>3");
    EXPECT_EQ(ChecksumChars(std::string(300, '\xFF')), "2:=4"); // 300 * FFh = 12AD4h: the carry is lost
}

TEST(BuildAnswerFrame, LaysOutEveryPartAndCountsOnlyTheDataInLen) {
    const std::string frame =
        BuildAnswerFrame({0x25, 0x80, "0000", "AB", {0x80, 0x81, 0x82, 0x83, 0x84, 0x85}});
    const std::string body = "\x32\x25\x80"
                             "0000;AB\x04\x80\x81\x82\x83\x84\x85\x05";
    EXPECT_EQ(frame, "\x01" + body + ChecksumChars(body) + "\x03");
}

TEST(BuildAnswerFrame, LenOfDataBeyond207BytesIsTheLowByte) {
    const std::string frame = BuildAnswerFrame({0x20, 0x21, "0000", std::string(210, 'x'), {}});
    EXPECT_EQ(static_cast<uint8_t>(frame[1]), (210 + 0x30) & 0xFF);
    EXPECT_EQ(frame.size(), 1 + 3 + 5 + 210 + 1 + 6 + 1 + 4 + 1u);
}

TEST(CommandFrameReader, ReadsFramesBackToBackAndDropsBytesBeforeSoh) {
    CommandFrameReader reader;
    const std::string cyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2"; // "Привет" in CP1251
    const auto frames = PushAll(reader, "\x16junk" + CommandFrame(0x21, 0x21, "736204;") +
                                            CommandFrame(0x7E, 0x61, cyrillic + ";"));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(frames[0].WellFormed);
    EXPECT_EQ(frames[0].Seq, 0x21);
    EXPECT_EQ(frames[0].Code, 0x21);
    EXPECT_EQ(frames[0].Data, "736204;");
    EXPECT_EQ(frames[0].Raw, CommandFrame(0x21, 0x21, "736204;"));
    EXPECT_TRUE(frames[1].WellFormed);
    EXPECT_EQ(frames[1].Data, "Привет;");
    EXPECT_FALSE(reader.InFrame());
}

TEST(CommandFrameReader, MarksBrokenFramesAsMalformed) {
    const std::string good = CommandFrame(0x21, 0x80, "736204;");
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string badChecksum = good, badEtx = good, badEnq = good;
    badChecksum[good.size() - 2] ^= 1;
    badEtx.back() = '\x04';
    badEnq[good.size() - 6] = '\x06';
    const Case cases[] = {
        {"checksum", badChecksum}, {"etx", badEtx}, {"enq", badEnq}, {"len below 24h", "\x01\x23"}};
    for (const Case& c : cases) {
        CommandFrameReader reader;
        const auto frames = PushAll(reader, c.bytes);
        ASSERT_EQ(frames.size(), 1u) << c.name;
        EXPECT_FALSE(frames[0].WellFormed) << c.name;
        EXPECT_EQ(frames[0].Raw, c.bytes) << c.name;
    }
}

TEST(CommandFrameReader, AbandonGivesUpAPartialFrame) {
    CommandFrameReader reader;
    EXPECT_FALSE(reader.Abandon());
    EXPECT_TRUE(PushAll(reader, "\x01\x2B\x21\x21"
                                "73")
                    .empty());
    EXPECT_TRUE(reader.InFrame());
    const auto frame = reader.Abandon();
    ASSERT_TRUE(frame);
    EXPECT_FALSE(frame->WellFormed);
    EXPECT_EQ(frame->Raw, "\x01\x2B\x21\x21"
                          "73");
    EXPECT_EQ(PushAll(reader, CommandFrame(0x22, 0x21, "")).size(), 1u);
}

TEST(ApplyByteChanges, ProducesExactlyThePromisedBytes) {
    const std::string frame = "\x01"
                              "ABCDEFGH"
                              "12?4\x03";
    struct Case {
        const char* name;
        AnswerOverride change;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing", {}, frame},
        {"nak", {.Nak = true}, "\x15"},
        {"raw", {.Raw = std::string("\x01\x02", 2)}, std::string("\x01\x02", 2)},
        {"bad checksum",
         {.BadChecksum = true},
         "\x01"
         "ABCDEFGH"
         "12?5\x03"},
        {"cut",
         {.CutAfter = 4},
         "\x01"
         "ABC"},
        {"cut beyond the end", {.CutAfter = 99}, frame},
        {"syn before", {.SynBefore = 2}, "\x16\x16" + frame},
        {"syn inside",
         {.SynInside = 1, .SynInsideAt = 3},
         "\x01"
         "AB\x16"
         "CDEFGH"
         "12?4\x03"},
        {"cut then syn",
         {.SynBefore = 1, .CutAfter = 2},
         "\x16\x01"
         "A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyByteChanges(frame, c.change), c.expected) << c.name;
}
