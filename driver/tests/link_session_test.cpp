// The session log of a whole connect and disconnect, as the main window drives the link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "driver/link.h"
#include "driver/link_state.h"
#include "driver/session_log.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* Stamp = " 7-03-2026  9:05:03";

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

class LinkSession : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        previousFolder = fs::current_path();
        folder = fs::temp_directory_path() / ("kaltor-session-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
        ResetSessionLog();
        SetLocalClock([] { return LocalDateTime{2026, 3, 7, 9, 5, 3, 0}; });
        ASSERT_TRUE(sim.Start()) << sim.StartError();
    }
    void TearDown() override {
        CloseLink();
        sim.Stop();
        SetLocalClock({});
        ResetSessionLog();
        fs::current_path(previousFolder);
        fs::remove_all(folder);
        SetTimeScale(1.0);
    }
    std::string Log() const {
        std::ifstream file(folder / "kaltor.log", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path previousFolder;
    fs::path folder;
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

TEST_F(LinkSession, PortThatCannotBeOpenedStillOpensTheSession) {
    SetLogFileName("kaltor.log");
    EXPECT_FALSE(OpenLink((folder / "no-such-port").string(), 9600));
    EXPECT_FALSE(CloseLink());
    EXPECT_EQ(Log(), std::string(";Начало сеанса   ") + Stamp + " \n");
}

} // namespace
