// Command frames and the shape check of answers, without a port.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/frame.h"
#include "tools/regsim/frame_codec.h"

namespace {

std::array<char, RawAnswerSize> RawOf(const std::string& bytes) {
    std::array<char, RawAnswerSize> raw{};
    std::memcpy(raw.data(), bytes.data(), std::min(bytes.size(), raw.size() - 1));
    return raw;
}

TEST(CommandFrame, LengthSequenceAndChecksum) {
    // LEN 2Bh; the sum of LEN..ENQ is 1E3h, written as "0", "1", ">" (30h + Eh) and "3".
    EXPECT_EQ(BuildCommandFrame(0x21, 0x21, "736204;"), std::string("\x01\x2B\x21\x21"
                                                                    "736204;\x05"
                                                                    "01>3\x03"));
    EXPECT_EQ(BuildCommandFrame(0x20, 0x80, ""), std::string("\x01\x24\x20\x80\x05"
                                                             "00<9\x03"));
    const std::string longest = BuildCommandFrame(0x7E, 0xA3, std::string(MaxCommandDataLength, '\xFF'));
    EXPECT_EQ(static_cast<uint8_t>(longest[1]), 0xFF);
    EXPECT_EQ(longest.size(), MaxCommandDataLength + 10);
}

TEST(RawAnswerShape, AcceptsOnlyWholeAnswerFrames) {
    constexpr std::array<uint8_t, 6> status = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    const std::string good = regsim::BuildAnswerFrame({0x21, 0x21, "0000", "1;2;", status});
    auto changed = [&good](size_t index, char byte) {
        std::string bytes = good;
        bytes[index] = byte;
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"whole answer", good, true},
        {"no SOH", changed(0, 0x02), false},
        {"LEN below 30h", changed(1, 0x2F), false},
        {"SEQ above 7Fh", changed(2, '\x80'), false},
        {"SEQ 7Fh", changed(2, 0x7F), true},
        {"CMD below 20h", changed(3, 0x1F), false},
        {"error field of three digits", regsim::BuildAnswerFrame({0x21, 0x21, "000", "1;", status}), false},
        {"no ETX", good.substr(0, good.size() - 1), false},
        {"no ENQ before the checksum", changed(good.size() - 6, 0x06), false},
        {"NAK", "\x15", false},
        {"nothing", "", false},
        {"SOH and error field only",
         "\x01\x30\x21\x21"
         "0000;",
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RawAnswerIsValid(RawOf(c.bytes)), c.valid) << c.name;
}

TEST(RawAnswerShape, ReadsOnlyUpToTheEndOfTheText) {
    // An older answer behind the NUL must not make a short new one look whole.
    auto raw =
        RawOf(regsim::BuildAnswerFrame({0x21, 0x21, "0000", "", {0x80, 0x80, 0x80, 0x80, 0x80, 0x80}}));
    raw[5] = '\0';
    EXPECT_FALSE(RawAnswerIsValid(raw));
}

} // namespace
