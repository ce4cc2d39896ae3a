// A link whose port did not open, or was closed, is not ready: every command on it is refused as not
// sent at once, nothing reaches the register, no wait runs, and the session log claims no session.
#include <gtest/gtest.h>

#include <functional>

#include "driver/link.h"
#include "driver/tests/log_folder.h"
#include "tools/regsim/register_simulator.h"

namespace {

const std::string SessionLines = std::string(";Начало сеанса   ") + LogFolder::Stamp + " \n" +
                                 ";Конец Сеанса   " + LogFolder::Stamp + " \n";

class LinkOpen : public ::testing::Test {
public: // the rows of the table below prepare their case through the fixture
    void SetUp() override {
        // Full length: a read loop or a resend wait that ran would show in the time taken.
        SetTimeScale(1.0);
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        // A good answer just before: it must not pass for the answer of a command that was not sent.
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        SetRetryCount(4);
        SetUsbLink(true); // the longest waits a silent port could bring
        ASSERT_TRUE(SendCommand(0x21, "736204;")->Succeeded());
        ASSERT_TRUE(CloseLink());
        sim.ClearFrames();
        SetLogFileName("kaltor.log");
        SetSleepHook([this](unsigned) { ++sleeps; });
    }
    void TearDown() override {
        SetSleepHook({});
        holder.Close();
        CloseLink();
        SetUsbLink(false);
        sim.Stop();
    }
    std::string Log() const { return LogFolder::Read(folder.Path() / "kaltor.log"); }
    std::string Missing() const { return (folder.Path() / "no-such-port").string(); }

    LogFolder folder;
    regsim::RegisterSimulator sim;
    SerialPort holder; // another program that holds the port
    int sleeps = 0;
};

struct NotOpenCase {
    const char* name;
    std::function<void(LinkOpen&)> leave; // leaves the link not open, by the way the row names
    SerialError error;                    // LinkOpenError then
    std::string log;                      // the session log then
};

void PrintTo(const NotOpenCase& c, std::ostream* os) {
    *os << c.name;
}

class LinkNotOpen : public LinkOpen, public testing::WithParamInterface<NotOpenCase> {};

TEST_P(LinkNotOpen, RefusesEveryCommandAtOnceAndCanBeOpenedAgain) {
    const NotOpenCase& c = GetParam();
    c.leave(*this);
    EXPECT_FALSE(LinkIsOpen());
    EXPECT_EQ(LinkOpenError(), c.error);

    const int64_t start = MonotonicMs();
    const AnswerRecord* answer = SendCommand(0x21, "736204;");
    EXPECT_EQ(answer, &TheAnswer());
    EXPECT_TRUE(answer->NotSent());
    EXPECT_FALSE(answer->Succeeded());
    EXPECT_EQ(answer->ErrorField, "");
    EXPECT_EQ(SendFrame(0x21, "736204;"), -1);
    EXPECT_EQ(ResendLast(0), -1);
    EXPECT_EQ(RepeatCommand(0), nullptr);
    SendNoReply();
    EXPECT_TRUE(SendCommand(0x21, "736204;")->NotSent()) << "the connect command left the link ready";
    EXPECT_EQ(sleeps, 0);
    EXPECT_LT(MonotonicMs() - start, 1000) << "no read loop ran";
    EXPECT_EQ(GetErrorCount(), 0u);
    EXPECT_FALSE(CloseLink()); // harmless
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(Log(), c.log);

    // The technician connects again once the port is there.
    holder.Close();
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    EXPECT_EQ(LinkOpenError(), SerialError::None);
    EXPECT_TRUE(SendCommand(0x21, "736204;")->Succeeded());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LinkNotOpen,
    testing::Values(NotOpenCase{"MissingPort", [](LinkOpen& t) { EXPECT_FALSE(OpenLink(t.Missing(), 9600)); },
                                SerialError::NotFound, ""},
                    NotOpenCase{"PortHeldByAnotherProgram",
                                [](LinkOpen& t) {
                                    ASSERT_EQ(t.holder.Open(t.sim.PortPath()), SerialError::None);
                                    EXPECT_FALSE(OpenLink(t.sim.PortPath(), 9600));
                                },
                                SerialError::Busy, ""},
                    NotOpenCase{"SpeedThePortRefuses",
                                [](LinkOpen& t) {
                                    EXPECT_FALSE(OpenLink(t.sim.PortPath(), 0));
                                    // Not kept open at a speed it cannot run: another program may have it.
                                    EXPECT_EQ(t.holder.Open(t.sim.PortPath()), SerialError::None);
                                    t.holder.Close();
                                },
                                SerialError::Unsupported, ""},
                    NotOpenCase{"ClosedAfterASession",
                                [](LinkOpen& t) {
                                    ASSERT_TRUE(OpenLink(t.sim.PortPath(), 9600));
                                    ASSERT_TRUE(CloseLink());
                                },
                                SerialError::None, SessionLines},
                    // The session on the port open before ends in the log, and that port is let go.
                    NotOpenCase{"FailedOpenAfterASession",
                                [](LinkOpen& t) {
                                    ASSERT_TRUE(OpenLink(t.sim.PortPath(), 9600));
                                    EXPECT_FALSE(OpenLink(t.Missing(), 9600));
                                    EXPECT_EQ(t.holder.Open(t.sim.PortPath()), SerialError::None);
                                    t.holder.Close();
                                },
                                SerialError::NotFound, SessionLines}),
    [](const testing::TestParamInfo<NotOpenCase>& info) { return std::string(info.param.name); });

} // namespace
