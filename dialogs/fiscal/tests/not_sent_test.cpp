// A command the driver refuses to build (a field longer than a frame carries) is reported as not sent
// in every fiscal window whose button sends one command, however well the command before it went.
// The windows that send more are in command_sequences_test.cpp: they send nothing at all.
#include "dialogs/fiscal/tests/fiscal_fixture.h"

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

class NotSentTest : public FiscalFixture, public testing::WithParamInterface<NotSentCase> {};

TEST_P(NotSentTest, ShowsNotSentAndSendsNothing) {
    const NotSentCase& c = GetParam();
    // The success just before: its "0000" must not pass for the refused command's.
    ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
    size_t frames = 0;
    std::vector<std::string> texts;
    std::string code = "not looked at";
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
                         testing::Values(NotSentCase{"FiscalReceiptOpen",
                                                     [] { return Shown(Form21); },
                                                     [](H) { Form21->Edit1.SetText(TooLong); },
                                                     [] { Form21->Button1.Click(); },
                                                     {"Ошибка открытия чека"},
                                                     [] { return &Form21->Edit7; }},
                                         NotSentCase{"FiscalReceiptDisplay",
                                                     [] { return Shown(Form21); },
                                                     [](H) { Form21->Edit2.SetText(TooLong); },
                                                     [] { Form21->Button18.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form21->Edit7; }},
                                         NotSentCase{"DailyX",
                                                     [] { return Shown(Form23); },
                                                     [](H) { Form23->Edit1.SetText(TooLong); },
                                                     [] { Form23->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form23->Edit3; }},
                                         NotSentCase{"PqDailyX",
                                                     [] { return Shown(Form48); },
                                                     [](H) { Form48->Edit1.SetText(TooLong); },
                                                     [] { Form48->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form48->Edit3; }},
                                         NotSentCase{"FactoryNumber",
                                                     [] { return Shown(Form15); },
                                                     [](H) {
                                                         Form15->Edit3.SetText(TooLong);
                                                         Form15->Edit4.SetText("1234567890");
                                                     },
                                                     [] { Form15->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"InspectorPassword",
                                                     [] { return Shown(Form16); },
                                                     [](H) {
                                                         Form16->Edit3.SetText(TooLong);
                                                         Form16->Edit4.SetText("1234567890");
                                                         Form16->Edit1.SetText("111111");
                                                         Form16->Edit2.SetText("111111");
                                                     },
                                                     [] { Form16->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"PaymentFormName",
                                                     [] { return Shown(Form34); },
                                                     [](H) {
                                                         Form34->Edit2.SetText("1");
                                                         Form34->Edit1.SetText(std::string(230, 'x'));
                                                     },
                                                     [] { Form34->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"FiscalMemoryClear",
                                                     [] { return Shown(Form7); },
                                                     [](H host) {
                                                         Form7->Edit3.SetText(TooLong);
                                                         host.AnswerNext(mbOK);
                                                     },
                                                     [] { Form7->Button2.Click(); },
                                                     {"Флеш-память регистратора будет обнулена. Продолжать?",
                                                      NotSentMessage},
                                                     [] { return &Form7->Edit1; }}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
