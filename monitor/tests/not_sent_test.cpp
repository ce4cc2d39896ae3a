// Command data longer than a frame carries is not sent: the monitor says so (not "time-out") and a
// script run ends at that line, after a success just before.
#include "monitor/tests/monitor_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using NotSentMonitorTest = MonitorFixture;

const std::string LongData(240, 'x');

TEST_F(NotSentMonitorTest, ATypedCommandTooLongIsNotSent) {
    Form28->Edit1.SetText("21");
    Form28->Button2.Click();
    ASSERT_EQ(Form28->Edit5.Text(), "0000");
    sim.ClearFrames();
    host.Clear();
    Form28->Edit1.SetText("61");
    Form28->Edit3.SetText(LongData);
    Form28->Button2.Click();
    EXPECT_EQ(host.Texts(), Lines{NotSentMessage});
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(Form28->Edit5.Text(), "") << "the 0000 of 21h is not this command's";
    EXPECT_TRUE(Session.CurrentAnswer->NotSent());
}

TEST_F(NotSentMonitorTest, AScriptRunEndsAtTheLineTooLongToSend) {
    const struct {
        const char* name;
        Lines script;
        std::string line;
    } cases[] = {
        {"command line", {"21736204;", "61736204;" + LongData, "21736204;"}, "2"},
        {"RunCommand",
         {"%DeclareBeg", "%New pwd", "%DeclareEnd", "%Set pwd=\"736204\"", "%RunCommand(33,pwd)",
          "%RunCommand(97,pwd,\"" + LongData + "\")", "%RunCommand(33,pwd)"},
         "6"},
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        UseScript(c.script);
        Form28->Button6.Click();
        EXPECT_EQ(host.Texts(), Lines{NotSentMessage}) << c.name;
        EXPECT_EQ(SentCodes(), std::vector<unsigned>{0x21}) << c.name << ": nothing after the refused line";
        EXPECT_EQ(Form28->Edit4.Text(), c.line) << c.name;
        EXPECT_TRUE(Form28->Button6.Enabled()) << c.name;
    }
}

} // namespace
