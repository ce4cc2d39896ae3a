// A command too long for a frame, typed into the shell's testers, is reported as not sent: no frame,
// no time-out, and the "0000" of the good command just before is not shown as its code.
#include "shell/tests/shell_fixture.h"

namespace {

const std::string TooLong(230, '7');

struct NotSentCase {
    const char* name;
    const char* windowClass;
    std::function<void()> show;
    std::function<void()> fill; // runs in the shown window, after its activation
    std::function<void()> press;
    TEdit* (*codeEdit)();
};

void PrintTo(const NotSentCase& c, std::ostream* os) {
    *os << c.name;
}

class NotSentShellTest : public ShellFixture, public testing::WithParamInterface<NotSentCase> {};

TEST_P(NotSentShellTest, ShowsNotSentAndSendsNothing) {
    const NotSentCase& c = GetParam();
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
    std::vector<std::string> texts;
    std::string code;
    size_t frames = 0;
    host.OnModal(c.windowClass, [&](TForm& form) {
        c.fill();
        c.codeEdit()->SetText("0000");
        sim.ClearFrames();
        host.Clear();
        c.press();
        frames = sim.FrameCount();
        texts = host.Texts();
        code = c.codeEdit()->Text();
        form.Close();
    });
    c.show();
    EXPECT_EQ(texts, std::vector<std::string>{NotSentMessage});
    EXPECT_EQ(frames, 0u);
    EXPECT_EQ(code, "");
    EXPECT_TRUE(Session.CurrentAnswer->NotSent());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, NotSentShellTest,
    testing::Values(NotSentCase{"FreeResources", "TForm10", [] { Form10->ShowModal(); },
                                [] { Form10->Edit1.SetText(TooLong); }, [] { Form10->Button1.Click(); },
                                [] { return &Form10->Edit8; }},
                    NotSentCase{"CommandTester", "TForm14", [] { Form14->ShowModal(); },
                                [] {
                                    Form14->Edit5.SetText(TooLong);
                                    Form14->Edit6.SetText("21");
                                },
                                [] { Form14->Button1.Click(); }, [] { return &Form14->Edit3; }},
                    NotSentCase{"CommandDialog", "TForm2",
                                [] {
                                    Form2->CommandCode = 0x21;
                                    Form2->ShowModal();
                                },
                                [] { Form2->Edit1.SetText(std::string(230, 'x')); },
                                [] { Form2->Button1.Click(); }, [] { return &Form2->Edit3; }},
                    NotSentCase{
                        "ParameterTester", "TForm4",
                        [] { RunParameterTesterSetup(*FindParameterTesterHandler("GetDateTime1Click")); },
                        [] { Form4->Edit1.SetText(TooLong); }, [] { Form4->Button1.Click(); },
                        [] { return &Form4->Edit3; }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
