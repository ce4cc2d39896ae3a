// A command the driver refuses to build (a field longer than a frame carries) is reported as not sent
// in every fiscal window, however well the command before it went.
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

const std::string TooLong(230, '7');

struct NotSentCase {
    const char* name;
    TForm* (*window)();
    std::function<void(RecordingUiHost&)> fill; // runs in the shown window, after its activation
    std::function<void()> press;
    std::vector<std::string> messages;
    std::vector<int> codes; // frames that still reach the register (steps before the refused one)
    TEdit* (*codeEdit)() = nullptr;
};

void PrintTo(const NotSentCase& c, std::ostream* os) {
    *os << c.name;
}

class NotSentTest : public FiscalFixture, public testing::WithParamInterface<NotSentCase> {};

TEST_P(NotSentTest, ShowsNotSentAndSendsNothingMore) {
    const NotSentCase& c = GetParam();
    Session.FirmwareVersion = "3.01"; // service cash goes through a receipt
    // The success just before: its "0000" must not pass for the refused command's.
    ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
    std::vector<int> codes;
    std::vector<std::string> texts;
    std::string code = "not looked at";
    TForm* window = c.window();
    host.OnModal(window->ClassName(), [&](TForm& form) {
        c.fill(host);
        if (c.codeEdit) c.codeEdit()->SetText("0000");
        sim.ClearFrames();
        host.Clear();
        c.press();
        codes = Codes();
        texts = host.Texts();
        if (c.codeEdit) code = c.codeEdit()->Text();
        form.Close();
    });
    window->ShowModal();
    EXPECT_EQ(texts, c.messages);
    EXPECT_EQ(codes, c.codes);
    if (c.codeEdit) {
        EXPECT_EQ(code, "");
    }
    // The report windows close their receipt after a failed report too; that close is the last answer.
    const bool closedAfter = !c.codes.empty() && c.codes.back() == 0x65;
    ASSERT_NE(Session.CurrentAnswer, nullptr);
    EXPECT_EQ(Session.CurrentAnswer->NotSent(), !closedAfter);
    for (const auto& frame : sim.Frames())
        EXPECT_EQ(frame.Data.find(TooLong), std::string::npos);
}

template <class Form> TForm* Shown(Form* const& form) {
    return form;
}

using H = RecordingUiHost&;

INSTANTIATE_TEST_SUITE_P(
    Windows, NotSentTest,
    testing::Values(NotSentCase{"ReceiptCopy",
                                [] { return Shown(Form41); },
                                [](H) { Form41->Edit1.SetText(TooLong); },
                                [] { Form41->Button2.Click(); },
                                {NotSentMessage},
                                {0x60},
                                [] { return &Form41->Edit3; }},
                    NotSentCase{"ServiceCashAmount",
                                [] { return Shown(Form9); },
                                [](H) { Form9->Edit1.SetText("1e250"); },
                                [] { Form9->Button3.Click(); },
                                {NotSentMessage},
                                {0x63}},
                    NotSentCase{"ServiceCashPassword",
                                [] { return Shown(Form9); },
                                [](H) { Form9->Edit5.SetText(TooLong); },
                                [] { Form9->Button2.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"NonFiscalReceipt",
                                [] { return Shown(Form8); },
                                [](H) { Form8->Edit1.SetText(TooLong); },
                                [] { Form8->Button2.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"FiscalReceiptOpen",
                                [] { return Shown(Form21); },
                                [](H) { Form21->Edit1.SetText(TooLong); },
                                [] { Form21->Button1.Click(); },
                                {"Ошибка открытия чека"},
                                {},
                                [] { return &Form21->Edit7; }},
                    NotSentCase{"FiscalReceiptDisplay",
                                [] { return Shown(Form21); },
                                [](H) { Form21->Edit2.SetText(TooLong); },
                                [] { Form21->Button18.Click(); },
                                {NotSentMessage},
                                {},
                                [] { return &Form21->Edit7; }},
                    NotSentCase{"DailyX",
                                [] { return Shown(Form23); },
                                [](H) { Form23->Edit1.SetText(TooLong); },
                                [] { Form23->Button2.Click(); },
                                {NotSentMessage},
                                {},
                                [] { return &Form23->Edit3; }},
                    NotSentCase{"DailyControlTape",
                                [] { return Shown(Form23); },
                                [](H) { Form23->Edit1.SetText(TooLong); },
                                [] { Form23->Button5.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"PqDailyX",
                                [] { return Shown(Form48); },
                                [](H) { Form48->Edit1.SetText(TooLong); },
                                [] { Form48->Button2.Click(); },
                                {NotSentMessage},
                                {},
                                [] { return &Form48->Edit3; }},
                    NotSentCase{"ExtraReport",
                                [] { return Shown(Form31); },
                                [](H) { Form31->Edit1.SetText(TooLong); },
                                [] { Form31->Button2.Click(); },
                                {NotSentMessage},
                                {0x60},
                                [] { return &Form31->Edit3; }},
                    NotSentCase{"PeriodicReport",
                                [] { return Shown(Form25); },
                                [](H) { Form25->Edit3.SetText(TooLong); },
                                [] { Form25->Button2.Click(); },
                                {NotSentMessage},
                                {0x60, 0x65}},
                    NotSentCase{"SoldGoodsReport",
                                [] { return Shown(Form24); },
                                [](H) { Form24->Edit1.SetText(TooLong); },
                                [] { Form24->Button2.Click(); },
                                {NotSentMessage},
                                {0x60, 0x65}},
                    NotSentCase{"FactoryNumber",
                                [] { return Shown(Form15); },
                                [](H) {
                                    Form15->Edit3.SetText(TooLong);
                                    Form15->Edit4.SetText("1234567890");
                                },
                                [] { Form15->Button2.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"FiscalParamsRead",
                                [] { return Shown(Form17); },
                                [](H) { Form17->Edit5.SetText(TooLong); },
                                [] { Form17->Button3.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"FiscalParamsProgramRead",
                                [] { return Shown(Form18); },
                                [](H) { Form18->Edit8.SetText(TooLong); },
                                [] { Form18->Button1.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"Fiscalisation",
                                [] { return Shown(Form19); },
                                [](H) {
                                    Form19->Edit3.SetText(TooLong);
                                    Form19->Edit4.SetText("1234567890");
                                    Form19->Edit1.SetText("111111");
                                    Form19->Edit2.SetText("111111");
                                },
                                [] { Form19->Button2.Click(); },
                                {NotSentMessage},
                                {},
                                [] { return &Form19->Edit5; }},
                    NotSentCase{"InspectorPassword",
                                [] { return Shown(Form16); },
                                [](H) {
                                    Form16->Edit3.SetText(TooLong);
                                    Form16->Edit4.SetText("1234567890");
                                    Form16->Edit1.SetText("111111");
                                    Form16->Edit2.SetText("111111");
                                },
                                [] { Form16->Button2.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"PaymentFormName",
                                [] { return Shown(Form34); },
                                [](H) {
                                    Form34->Edit2.SetText("1");
                                    Form34->Edit1.SetText(std::string(230, 'x'));
                                },
                                [] { Form34->Button2.Click(); },
                                {NotSentMessage},
                                {}},
                    NotSentCase{"ArticleLoading",
                                [] { return Shown(Form20); },
                                [](H) {
                                    Form20->Edit1.SetText(TooLong);
                                    Form20->Memo1.SetText("1;1;0;0;Хлеб;\n2;1;0;0;Мука;");
                                },
                                [] { Form20->Button2.Click(); },
                                {"Завершено\nНе записано строк: 2 (первая: строка 1)"},
                                {}},
                    NotSentCase{"FiscalMemoryClear",
                                [] { return Shown(Form7); },
                                [](H host) {
                                    Form7->Edit3.SetText(TooLong);
                                    host.AnswerNext(mbOK);
                                },
                                [] { Form7->Button2.Click(); },
                                {"Флеш-память регистратора будет обнулена. Продолжать?", NotSentMessage},
                                {},
                                [] { return &Form7->Edit1; }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
