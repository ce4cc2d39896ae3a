// The session log of a whole connect and disconnect, as the main window drives the link.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver/link.h"
#include "driver/link_state.h"
#include "driver/tests/log_folder.h"
#include "platform/text/text.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

namespace {

constexpr const char* Stamp = LogFolder::Stamp;

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

class LinkSession : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        ASSERT_TRUE(sim.Start()) << sim.StartError();
    }
    void TearDown() override {
        CloseLink();
        sim.Stop();
        SetTimeScale(1.0);
    }
    std::string Log() const { return LogFolder::Read(folder.Path() / "kaltor.log"); }

    LogFolder folder;
    regsim::RegisterSimulator sim;
    ptyserve::FollowServers follow{sim};
};

TEST_F(LinkSession, ConnectAndDisconnect) {
    sim.SetOverride(0x88, {.Silent = true}); // whatever it answered would be thrown away
    SetLogFileName("kaltor.log");
    ASSERT_TRUE(OpenLink(sim.PortPath(), 115200));
    SendNoReply();
    const AnswerRecord* answer = SendCommand(0x80, "");
    ASSERT_TRUE(CloseLink());

    const auto frames = sim.Frames();
    ASSERT_EQ(frames.size(), 2u);
    const std::string raw = Cp1251ToUtf8(answer->RawAnswer.data());
    EXPECT_EQ(raw.front(), '\x01');
    EXPECT_EQ(raw.back(), '\x03');
    EXPECT_EQ(Log(), std::string(";Начало сеанса   ") + Stamp + " \n" +                       //
                         ";" + Stamp + "  " + Hex(frames[0].Seq) + "\n88736204;20;0;\n" +     //
                         ";" + Stamp + "  " + Hex(frames[1].Seq) + "\n80\n" +                 //
                         ";" + Stamp + "  " + Hex(frames[1].Seq) + " SYN=0\n;" + raw + "\n" + //
                         ";Конец Сеанса   " + Stamp + " \n");
}

TEST_F(LinkSession, UnansweredFrameLogsTheOlderRawAnswer) {
    SetLogFileName("kaltor.log");
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    SetRetryCount(0);
    SendCommand(0x21, "736204;");
    const std::string raw = Cp1251ToUtf8(TheAnswer().RawAnswer.data());
    sim.SetOverride(0x21, {.Silent = true});
    SendCommand(0x21, "736204;");
    const std::string log = Log();
    const std::string unanswered = "SYN=0\n;" + raw + "\n";
    EXPECT_EQ(log.size() - log.rfind(unanswered), unanswered.size()) << log;
}

} // namespace
