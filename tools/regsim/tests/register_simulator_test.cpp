#include "tools/regsim/register_simulator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tools/regsim/frame_codec.h"
#include "tools/regsim/tests/pty_client.h"

using namespace regsim;
using regsim_test::CommandFrame;
using regsim_test::PtyClient;

namespace {

const std::string kClockQuery = CommandFrame(0x21, 0x21, "736204;");
const std::array<uint8_t, 6> kIdle = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        client = std::make_unique<PtyClient>(sim.PortPath());
        ASSERT_TRUE(client->IsOpen());
        sim.SetClock({2026, 3, 7, 9, 5, 3}, false);
    }
    // The answer to the clock query as the unchanged simulator sends it.
    std::string PlainAnswer() { return BuildAnswerFrame({0x21, 0x21, "0000", "070326;0905;", kIdle}); }

    RegisterSimulator sim;
    std::unique_ptr<PtyClient> client;
};

} // namespace

TEST_F(SimulatorTest, AnswersAHandBuiltClockQueryByteForByte) {
    ASSERT_TRUE(client->Write("\x01\x2B\x21\x21"
                              "736204;"
                              "\x05"
                              "01>3"
                              "\x03"));
    EXPECT_EQ(client->ReadAnswer(), "\x01\x3C\x21\x21"
                                    "0000;070326;0905;"
                                    "\x04\x80\x80\x80\x80\x80\x80\x05"
                                    "06?8"
                                    "\x03");
}

TEST_F(SimulatorTest, RecordsEveryFrameAndAnswersMalformedOnesWithNak) {
    client->Write(CommandFrame(0x30, 0x61, "736204;\xD7\xE5\xEA;")); // "Чек" in CP1251
    EXPECT_NE(client->ReadAnswer(), "\x15");
    std::string broken = kClockQuery;
    broken[broken.size() - 2] ^= 1;
    client->Write(broken);
    EXPECT_EQ(client->ReadAnswer(), "\x15");
    client->Write("\x01\x2B\x21"); // then nothing: given up after a while
    EXPECT_EQ(client->ReadAnswer(), "\x15");

    ASSERT_TRUE(sim.WaitForFrames(3, 2000));
    const std::vector<ReceivedFrame> frames = sim.Frames();
    EXPECT_EQ(frames[0].Seq, 0x30);
    EXPECT_EQ(frames[0].Code, 0x61);
    EXPECT_EQ(frames[0].Data, "736204;Чек;");
    EXPECT_TRUE(frames[0].WellFormed);
    EXPECT_EQ(frames[1].Raw, broken);
    EXPECT_FALSE(frames[1].WellFormed);
    EXPECT_EQ(frames[2].Raw, "\x01\x2B\x21");
    EXPECT_FALSE(sim.WaitForFrames(4, 20));
    sim.ClearFrames();
    sim.SetRecording(false);
    client->Write(kClockQuery);
    EXPECT_FALSE(client->ReadAnswer().empty());
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST_F(SimulatorTest, OverridesProduceExactlyThePromisedBytes) {
    const std::string plain = PlainAnswer();
    std::string badChecksum = plain;
    badChecksum[plain.size() - 2] ^= 1;
    const std::string syn(2, '\x16');
    const struct {
        const char* name;
        AnswerOverride change;
        std::string expected;
    } cases[] = {
        {"silence", {.Silent = true}, ""},
        {"nak", {.Nak = true}, "\x15"},
        {"bad checksum", {.BadChecksum = true}, badChecksum},
        {"syn before", {.SynBefore = 2}, syn + plain},
        {"syn inside", {.SynInside = 2, .SynInsideAt = 5}, plain.substr(0, 5) + syn + plain.substr(5)},
        {"cut short", {.CutAfter = 7}, plain.substr(0, 7)},
        {"raw", {.Raw = "\x01\x02\x03"}, "\x01\x02\x03"},
        {"error", {.Error = "0106"}, BuildAnswerFrame({0x21, 0x21, "0106", "070326;0905;", kIdle})},
        {"status",
         {.Status = std::array<uint8_t, 6>{1, 2, 4, 0x84, 5, 6}},
         BuildAnswerFrame({0x21, 0x21, "0000", "070326;0905;", {1, 2, 4, 0x84, 5, 6}})},
        {"data",
         {.Data = "Касса\x01;"},
         BuildAnswerFrame({0x21, 0x21, "0000", "\xCA\xE0\xF1\xF1\xE0\x01;", kIdle})},
    };
    for (const auto& c : cases) {
        sim.SetOverrideForNext(1, c.change);
        client->Write(kClockQuery);
        EXPECT_EQ(client->ReadAnswer(300), c.expected) << c.name;
    }
    client->Write(kClockQuery);
    EXPECT_EQ(client->ReadAnswer(), plain);
}

TEST_F(SimulatorTest, LongAndManyFieldedDataTravelUnchanged) {
    std::string manyFields;
    for (int i = 0; i < 25; ++i)
        manyFields += std::to_string(i) + ";";
    const std::string longData(230, 'D');
    for (const std::string& data : {manyFields, longData}) {
        sim.SetOverride(0x21, {.Data = data});
        client->Write(kClockQuery);
        EXPECT_EQ(client->ReadAnswer(), BuildAnswerFrame({0x21, 0x21, "0000", data, kIdle}));
    }
}

TEST_F(SimulatorTest, PerCodeOverridesLastAndTheNextFramesComeFirst) {
    sim.SetOverride(0x21, {.Nak = true});
    sim.SetOverrideForNext(2, {.Error = "0006"});
    const std::string refused = BuildAnswerFrame({0x21, 0x21, "0006", "070326;0905;", kIdle});
    const std::string expected[] = {refused, refused, "\x15", "\x15"};
    for (const std::string& answer : expected) {
        client->Write(kClockQuery);
        EXPECT_EQ(client->ReadAnswer(), answer);
    }
    client->Write(CommandFrame(0x22, 0x80, "736204;"));
    EXPECT_NE(client->ReadAnswer(), "\x15");
    sim.ClearOverrides();
    client->Write(kClockQuery);
    EXPECT_EQ(client->ReadAnswer(), PlainAnswer());
}

TEST_F(SimulatorTest, StatusBytesCarryBit7AndTheModelState) {
    sim.UpdateState([](RegisterState& s) { s.Status = {0x01, 0, 0x19, 0, 0x03, 0}; });
    client->Write(kClockQuery);
    EXPECT_EQ(client->ReadAnswer(),
              BuildAnswerFrame({0x21, 0x21, "0000", "070326;0905;", {0x81, 0x80, 0x99, 0x80, 0x83, 0x80}}));
    EXPECT_EQ(sim.State().Status[2], 0x19);
}

TEST_F(SimulatorTest, SetClockCommandChangesWhatIsReadBack) {
    client->Write(CommandFrame(0x21, 0x20, "736204;311208;2359;"));
    EXPECT_EQ(client->ReadAnswer(), BuildAnswerFrame({0x21, 0x20, "0000", "", kIdle}));
    EXPECT_EQ(sim.Clock(), (DateTime{2008, 12, 31, 23, 59, 0}));
}

TEST_F(SimulatorTest, DelaysAndPausesHoldTheAnswerBack) {
    sim.SetOverrideForNext(1, {.DelayMs = 120});
    EXPECT_GE(client->MsUntilFirstByte(kClockQuery), 110);
    client->Read();

    // Only lower bounds on time: a busy machine may make anything later, never earlier.
    sim.SetOverrideForNext(1, {.PieceSize = 10, .PauseMs = 200});
    const auto start = std::chrono::steady_clock::now();
    client->Write(kClockQuery);
    EXPECT_EQ(client->ReadAnswer(), PlainAnswer());
    const auto pauses = static_cast<long>((PlainAnswer().size() - 1) / 10);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200 * pauses));
}

TEST_F(SimulatorTest, StopReturnsPromptlyDuringASlowAnswerAndRemovesThePort) {
    sim.SetOverride(0x21, {.DelayMs = 60000});
    client->Write(kClockQuery);
    ASSERT_TRUE(sim.WaitForFrames(1, 2000));
    const auto start = std::chrono::steady_clock::now();
    sim.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    struct stat info;
    EXPECT_NE(stat(sim.PortPath().c_str(), &info), 0);
}

TEST(RegisterSimulator, ThePortCanBeOpenedAndClosedAgainWithoutAHangUp) {
    RegisterSimulator sim;
    ASSERT_TRUE(sim.Start());
    sim.SetClock({2026, 3, 7, 9, 5, 3}, false);
    for (int round = 0; round < 2; ++round) {
        PtyClient client(sim.PortPath());
        ASSERT_TRUE(client.IsOpen());
        client.Write(kClockQuery);
        EXPECT_EQ(client.ReadAnswer(), BuildAnswerFrame({0x21, 0x21, "0000", "070326;0905;", kIdle}));
    }
}

TEST_F(SimulatorTest, EveryCodeGetsAnAnswerFrameEvenThoseItDoesNotHave) {
    // Read by length, as the code byte itself may be ETX: SOH, LEN, SEQ, CMD, a four-digit error field
    // and ";", EOT, the status bytes, ENQ, the check characters and ETX around the data.
    const size_t framing = 22;
    for (unsigned code = 0; code <= 0xFF; ++code) {
        client->Write(CommandFrame(0x20 + code % 0x5F, static_cast<unsigned char>(code), "736204;"));
        std::string answer = client->Read(2, 1000);
        ASSERT_EQ(answer.size(), 2u) << code;
        answer += client->Read(static_cast<uint8_t>(answer[1]) - 0x30 + framing - 2, 1000);
        EXPECT_EQ(static_cast<uint8_t>(answer[3]), code);
        EXPECT_EQ(answer.back(), '\x03') << code;
        EXPECT_EQ(answer.substr(4, 5) == "0002;", !RegisterHasCommand(static_cast<uint8_t>(code))) << code;
    }
}
