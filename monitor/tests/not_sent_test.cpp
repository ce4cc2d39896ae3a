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

// An extended script builds its commands while it runs: the line that cannot be sent ends the run
// there, naming the lines taken before. A plain run checks every line first and sends nothing.
TEST_F(NotSentMonitorTest, AScriptRunEndsAtTheLineTooLongToSend) {
    const std::string tooLong =
        "Команда 61h не может быть отправлена: данные команды длиннее, чем вмещает кадр.";
    const struct {
        const char* name;
        TButton* button;
        Lines script;
        std::vector<unsigned> sent;
        std::string message, line;
    } cases[] = {
        {"command line",
         &Form28->Button6,
         {"21736204;", "61736204;" + LongData, "21736204;"},
         {0x21},
         NotSentMessage + "\nРегистратор уже принял: строка 1.",
         "2"},
        {"RunCommand",
         &Form28->Button6,
         {"%DeclareBeg", "%New pwd", "%DeclareEnd", "%Set pwd=\"736204\"", "%RunCommand(33,pwd)",
          "%RunCommand(97,pwd,\"" + LongData + "\")", "%RunCommand(33,pwd)"},
         {0x21},
         NotSentMessage + "\nРегистратор уже принял: строка 5.",
         "6"},
        {"plain run",
         &Form28->Button8,
         {"21736204;", "61736204;" + LongData, "21736204;"},
         {},
         "Строка 2: " + tooLong + "\nВ регистратор ничего не отправлено.",
         "0"},
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        UseScript(c.script);
        c.button->Click();
        EXPECT_EQ(host.Texts(), Lines{c.message}) << c.name;
        EXPECT_EQ(SentCodes(), c.sent) << c.name << ": nothing after the refused line";
        EXPECT_EQ(Form28->Edit4.Text(), c.line) << c.name;
        EXPECT_TRUE(Form28->Button6.Enabled()) << c.name;
    }
}

} // namespace
