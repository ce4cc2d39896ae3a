// A command the driver refuses to build (a field longer than a frame carries) is reported as not sent
// in every set-up window, however well the command before it went. Buttons that send a sequence are
// refused before its first command (sequence_test.cpp).
#include "dialogs/setup/tests/setup_fixture.h"

namespace {

const std::string TooLong(230, '7');

struct NotSentCase {
    const char* name;
    TForm* (*window)();
    std::function<void(RecordingUiHost&)> fill; // runs in the shown window, after its activation
    std::function<void()> press;
    std::vector<std::string> messages;
    TEdit* (*codeEdit)() = nullptr;
};

void PrintTo(const NotSentCase& c, std::ostream* os) {
    *os << c.name;
}

class NotSentTest : public SetupFixture, public testing::WithParamInterface<NotSentCase> {};

TEST_P(NotSentTest, ShowsNotSentAndSendsNothing) {
    const NotSentCase& c = GetParam();
    // The success just before: its "0000" must not pass for the refused command's.
    ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
    std::vector<std::string> texts;
    std::string code = "not looked at";
    size_t frames = 0;
    TForm* window = c.window();
    host.OnModal(window->ClassName(), [&](TForm& form) {
        c.fill(host);
        if (c.codeEdit) c.codeEdit()->SetText("0000");
        sim.ClearFrames();
        host.Clear();
        c.press();
        frames = sim.FrameCount();
        texts = host.Texts();
        if (c.codeEdit) code = c.codeEdit()->Text();
        form.Close();
    });
    window->ShowModal();
    EXPECT_EQ(texts, c.messages);
    EXPECT_EQ(frames, 0u);
    if (c.codeEdit) {
        EXPECT_EQ(code, "");
    }
    ASSERT_NE(Session.CurrentAnswer, nullptr);
    EXPECT_TRUE(Session.CurrentAnswer->NotSent());
}

template <class Form> TForm* Shown(Form* const& form) {
    return form;
}

using H = RecordingUiHost&;

INSTANTIATE_TEST_SUITE_P(Windows, NotSentTest,
                         testing::Values(NotSentCase{"ClockRead",
                                                     [] { return Shown(Form27); },
                                                     [](H) { Form27->Edit3.SetText(TooLong); },
                                                     [] { Form27->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"DecimalPointRead",
                                                     [] { return Shown(Form32); },
                                                     [](H) { Form32->Edit1.SetText(TooLong); },
                                                     [] { Form32->Button3.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form32->Edit3; }},
                                         NotSentCase{"DeviceIdRead",
                                                     [] { return Shown(Form50); },
                                                     [](H) { Form50->Edit6.SetText(TooLong); },
                                                     [] { Form50->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModemReport",
                                                     [] { return Shown(Form44); },
                                                     [](H) { Form44->Edit3.SetText(TooLong); },
                                                     [] { Form44->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModemState",
                                                     [] { return Shown(Form51); },
                                                     [](H) { Form51->Edit3.SetText(TooLong); },
                                                     [] { Form51->Button28.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form51->Edit7; }},
                                         NotSentCase{"AcquirerSession",
                                                     [] { return Shown(Form53); },
                                                     [](H) { Form53->Edit3.SetText(TooLong); },
                                                     [] { Form53->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form53->Edit7; }},
                                         NotSentCase{"RemoteAccessRead",
                                                     [] { return Shown(Form42); },
                                                     [](H) { Form42->Edit6.SetText(TooLong); },
                                                     [] { Form42->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"AcquirerLinkRead",
                                                     [] { return Shown(Form49); },
                                                     [](H) { Form49->Edit6.SetText(TooLong); },
                                                     [] { Form49->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"OperatorRead",
                                                     [] { return Shown(Form12); },
                                                     [](H) {
                                                         Form12->Edit4.SetText(TooLong);
                                                         Form12->Edit5.SetText("1");
                                                     },
                                                     [] { Form12->Button3.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModePasswords",
                                                     [] { return Shown(Form13); },
                                                     [](H) { Form13->Edit5.SetText(TooLong); },
                                                     [] { Form13->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"RegisterParamsRead",
                                                     [] { return Shown(Form26); },
                                                     [](H) { Form26->Edit5.SetText(TooLong); },
                                                     [] { Form26->Button7.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form26->Edit8; }},
                                         NotSentCase{"ServiceCounterRead",
                                                     [] { return Shown(Form39); },
                                                     [](H) { Form39->Edit3.SetText(TooLong); },
                                                     [] { Form39->Button2.Click(); },
                                                     {NotSentMessage}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
