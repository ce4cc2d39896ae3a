// Exchanges with the simulated register over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "driver/frame.h"
#include "driver/link.h"
#include "driver/link_state.h"
#include "platform/clock/clock.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

namespace {

class LinkExchange : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        SetRetryCount(4);
        SetUsbLink(false);
    }
    void TearDown() override {
        CloseLink();
        sim.Stop();
        SetTimeScale(1.0);
    }
    std::vector<uint8_t> Sequences() const {
        std::vector<uint8_t> sequences;
        for (const auto& frame : sim.Frames())
            sequences.push_back(frame.Seq);
        return sequences;
    }
    // One good exchange, so that the raw answer left behind is a whole frame.
    void AnswerOnce() {
        ASSERT_EQ(SendCommand(0x21, "736204;")->StatusWord, 0u);
        sim.ClearFrames();
    }

    regsim::RegisterSimulator sim;
    ptyserve::FollowServers follow{sim};
};

TEST_F(LinkExchange, SequenceStartsAt21hAndWraps) {
    const struct {
        uint8_t counterBefore;
        uint8_t sequence;
    } cases[] = {{0, 0x21}, {93, 0x7E}, {94, 0x20}, {254, 0x61}, {255, 0x20}};
    SetRetryCount(0); // one frame per case
    for (const auto& c : cases) {
        TheLink.SeqCounter = c.counterBefore;
        sim.ClearFrames();
        SendCommand(0x21, "736204;");
        ASSERT_EQ(sim.FrameCount(), 1u);
        EXPECT_EQ(sim.Frames()[0].Seq, c.sequence) << int(c.counterBefore);
    }
}

TEST_F(LinkExchange, DataTravelsInCp1251) {
    const AnswerRecord* answer = SendCommand(0x22, "1;Привет;");
    const auto frames = sim.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].WellFormed);
    EXPECT_EQ(frames[0].Data, "1;Привет;");
    EXPECT_EQ(static_cast<uint8_t>(frames[0].Raw[1]), 9 + 4 + 0x20);
    EXPECT_EQ(answer->SentFrame, frames[0].Raw);
    EXPECT_EQ(answer->SentData, "1;Привет;");
    EXPECT_EQ(answer->SentCode, 0x22u);
    EXPECT_EQ(answer, &TheAnswer());
}

TEST_F(LinkExchange, DataLongerThanAFrameCarriesIsNotSent) {
    AnswerOnce();
    std::string fits;
    for (int i = 0; i < 219; ++i)
        fits += "Я"; // two bytes in UTF-8, one on the wire
    EXPECT_EQ(SendFrame(0x61, fits), 0);
    EXPECT_EQ(sim.FrameCount(), 1u);
    EXPECT_EQ(TheAnswer().StatusWord, 0u);

    EXPECT_EQ(SendFrame(0x61, fits + "Я"), -1);
    EXPECT_EQ(sim.FrameCount(), 1u);
    EXPECT_EQ(TheAnswer().StatusWord, StatusNotSent) << "not sent is no time-out";
    EXPECT_EQ(TheAnswer().FieldCount, 0u);
    EXPECT_EQ(TheAnswer().ErrorField, "") << "the previous \"0000\" is gone";
    EXPECT_EQ(SendCommand(0x61, fits + "Я")->StatusWord, StatusNotSent);
    EXPECT_EQ(sim.FrameCount(), 1u) << "nothing resent";
    EXPECT_EQ(GetErrorCount(), 0u);
}

TEST_F(LinkExchange, MalformedAnswersAreResentWithTheSameSequence) {
    const struct {
        int retryCount;
        unsigned badAnswers;
        size_t frames;
        uint32_t errorCount;
        uint32_t statusWord;
    } cases[] = {
        {0, 1, 1, 0, StatusNoAnswer}, // no validation at all
        {1, 5, 2, 1, StatusNoAnswer}, // the last resend is not checked again
        {4, 1, 2, 1, 0},              // the remaining attempts pass without action
        {4, 9, 5, 4, StatusNoAnswer},
        {1000000000, 2, 3, 2, 0}, // a valid answer ends the attempts: no spinning through the rest
    };
    for (const auto& c : cases) {
        const int64_t start = MonotonicMs();
        SetRetryCount(c.retryCount);
        sim.ClearOverrides();
        sim.ClearFrames();
        const uint32_t errorsBefore = GetErrorCount();
        sim.SetOverrideForNext(c.badAnswers, {.CutAfter = 10});
        const AnswerRecord* answer = SendCommand(0x21, "736204;");
        const auto sequences = Sequences();
        ASSERT_EQ(sequences.size(), c.frames) << "retry count " << c.retryCount;
        for (uint8_t sequence : sequences)
            EXPECT_EQ(sequence, sequences[0]);
        EXPECT_EQ(GetErrorCount() - errorsBefore, c.errorCount);
        EXPECT_EQ(answer->StatusWord, c.statusWord);
        // Spinning through a billion attempts would take minutes; each case takes a fraction of a second.
        EXPECT_LT(MonotonicMs() - start, 10000) << "retry count " << c.retryCount;
    }
}

TEST_F(LinkExchange, SilentUsbPortIsAskedAgain) {
    AnswerOnce();
    SetRetryCount(1);
    sim.SetOverride(0x21, {.Silent = true});
    const int64_t start = MonotonicMs();
    SetUsbLink(true);
    const AnswerRecord* answer = SendCommand(0x21, "736204;");
    // Two reads of 50 x 100 ms and the 3000 ms wait, at a hundredth.
    EXPECT_GE(MonotonicMs() - start, 120);
    EXPECT_EQ(answer->StatusWord, StatusNoAnswer);
    // Unanswered frames are recorded by the simulator's thread, which may lag under load.
    ASSERT_TRUE(sim.WaitForFrames(2, 2000));
    const auto sequences = Sequences();
    ASSERT_EQ(sequences.size(), 2u);
    EXPECT_EQ(sequences[0], sequences[1]);
    EXPECT_EQ(GetErrorCount(), 0u) << "a USB resend is no validation failure";

    sim.ClearFrames();
    SetUsbLink(false);
    SendCommand(0x21, "736204;");
    EXPECT_TRUE(sim.WaitForFrames(1, 2000));
    EXPECT_EQ(sim.FrameCount(), 1u) << "the older whole answer passes validation";
}

TEST_F(LinkExchange, NakEndsTheReadAtTheFirstEmptyRead) {
    SetRetryCount(0);
    sim.SetOverride(0x21, {.Nak = true});
    EXPECT_EQ(SendCommand(0x21, "736204;")->StatusWord, StatusNak);
    EXPECT_EQ(TheLink.EmptyReads, 0);
    sim.SetOverride(0x21, {.Silent = true});
    EXPECT_EQ(SendCommand(0x21, "736204;")->StatusWord, StatusNoAnswer);
    EXPECT_EQ(TheLink.EmptyReads, MaxEmptyReads);
}

TEST_F(LinkExchange, SynIsCountedAndLeftOutOfTheRawAnswer) {
    sim.SetOverride(0x21, {.SynBefore = 2, .SynInside = 1, .SynInsideAt = 9});
    const AnswerRecord* answer = SendCommand(0x21, "736204;");
    EXPECT_EQ(answer->StatusWord, 0u);
    EXPECT_EQ(TheLink.Rx.SynCount, 3);
    EXPECT_EQ(std::strchr(answer->RawAnswer.data(), 0x16), nullptr);
    EXPECT_EQ(answer->ErrorField, "0000");
}

TEST_F(LinkExchange, ResendAndRepeatChooseTheSequence) {
    SendCommand(0x21, "736204;");
    EXPECT_EQ(ResendLast(0), 0);
    LastAnswer = nullptr;
    EXPECT_EQ(RepeatCommand(0), &TheAnswer());
    EXPECT_EQ(LastAnswer, &TheAnswer());
    EXPECT_NE(RepeatCommand(1), nullptr);
    const auto frames = sim.Frames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1].Seq, frames[0].Seq);
    EXPECT_EQ(frames[2].Seq, frames[0].Seq);
    EXPECT_EQ(frames[3].Seq, SequenceByte(static_cast<uint8_t>(TheLink.SeqCounter)));
    EXPECT_NE(frames[3].Seq, frames[0].Seq);
    for (const auto& frame : frames)
        EXPECT_EQ(frame.Data, "736204;");
}

TEST_F(LinkExchange, NotReadyRefusesAtOnce) {
    TheLink.Ready = false;
    EXPECT_EQ(SendFrame(0x21, "736204;"), -1);
    EXPECT_EQ(ResendLast(0), -1);
    EXPECT_EQ(RepeatCommand(0), nullptr);
    EXPECT_EQ(SendCommand(0x21, "736204;"), &TheAnswer());
    EXPECT_TRUE(TheAnswer().NotSent());
    TheLink.Ready = true;
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(GetErrorCount(), 0u) << "no resend was tried";
}

TEST_F(LinkExchange, VanishingPortEndsTheExchange) {
    SetTimeScale(1.0); // a read loop that waited for silence would take 5 s
    SetRetryCount(0);
    sim.SetOverride(0x21, {.Silent = true});
    std::thread pull([this] {
        if (sim.WaitForFrames(1, 5000)) sim.Stop();
    });
    const int64_t start = MonotonicMs();
    const AnswerRecord* answer = SendCommand(0x21, "736204;");
    pull.join();
    EXPECT_EQ(answer->StatusWord, StatusNoAnswer);
    EXPECT_LT(MonotonicMs() - start, 2000);
}

} // namespace
