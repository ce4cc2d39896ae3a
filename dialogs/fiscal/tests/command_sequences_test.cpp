// The windows whose button sends more than one command: everything typed is checked and every
// command formed before the first goes out, so a sequence that cannot be sent whole sends nothing;
// and a command the register refuses after it took earlier ones says which it took.
#include <algorithm>

#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "shell/tests/not_sent_case.h"

namespace {

using Texts = std::vector<std::string>;

// What a window's sequence needs besides the field that is too long.
void TypeMemoryRange() {
    Form7->Edit4.Clear();
    Form7->Edit5.Clear();
    Form7->Edit4.SetText("0");
    Form7->Edit5.SetText("120");
}

void TypeFiscalisation() {
    Form19->Edit4.SetText("KV00000001");
    Form19->Edit1.SetText("111111");
    Form19->Edit2.SetText("111111");
}

struct SequenceCase {
    const char* name;
    TForm* (*window)();
    std::function<void(H)> fill; // in the shown window, after its activation
    std::function<void()> press;
    std::string message;
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << c.name;
}

class UnformableSequenceTest : public FiscalFixture, public testing::WithParamInterface<SequenceCase> {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Activate(); // a settings file for the windows that read one
        Session.FirmwareVersion = "3.01";
        Session.PqVariant = 0;
        Form20->Memo1.Lines().Assign(Texts{"101;Хлеб;12.50;1;1;"});
        Form20->Label3.SetCaption("goods.art");
    }
};

// No frame at all, one message naming the command that could not go out, no file asked for, and the
// shared answer left as it was: nothing was sent, so nothing is judged.
TEST_P(UnformableSequenceTest, SendsNothingOfTheSequence) {
    const SequenceCase& c = GetParam();
    ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
    AnswerRecord* before = Session.CurrentAnswer;
    size_t frames = 99;
    Texts texts;
    TForm* window = c.window();
    host.OnModal(window->ClassName(), [&](TForm& form) {
        c.fill(host);
        sim.ClearFrames();
        host.Clear();
        c.press();
        frames = sim.FrameCount();
        texts = host.Texts();
        form.Close();
    });
    window->ShowModal();
    EXPECT_EQ(frames, 0u);
    EXPECT_EQ(texts, Texts{c.message});
    EXPECT_TRUE(host.FileRequests().empty());
    EXPECT_EQ(Session.CurrentAnswer, before);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, UnformableSequenceTest,
    testing::Values(
        SequenceCase{"ReceiptCopy", [] { return Shown(Form41); }, [](H) { Form41->Edit1.SetText(TooLong); },
                     [] { Form41->Button2.Click(); }, Unformable(0xA5)},
        SequenceCase{"ServiceCashInAReceipt", [] { return Shown(Form9); },
                     [](H) { Form9->Edit5.SetText(TooLong); }, [] { Form9->Button2.Click(); },
                     Unformable(0x63)},
        SequenceCase{"NonFiscalReceipt", [] { return Shown(Form8); },
                     [](H) {
                         Form8->Edit1.SetText(TooLong);
                         Form8->Memo1.SetText("one");
                     },
                     [] { Form8->Button2.Click(); }, Unformable(0x60)},
        SequenceCase{"ControlTapePrintout", [] { return Shown(Form23); },
                     [](H) { Form23->Edit1.SetText(TooLong); }, [] { Form23->Button5.Click(); },
                     Unformable(0x60)},
        SequenceCase{"ExtraDailyReport", [] { return Shown(Form31); },
                     [](H) { Form31->Edit1.SetText(TooLong); }, [] { Form31->Button2.Click(); },
                     Unformable(0xA6)},
        SequenceCase{"PqTapeUnloading", [] { return Shown(Form48); },
                     [](H) {
                         Form48->Edit1.SetText(TooLong);
                         Form48->CheckBox1.SetChecked(true);
                     },
                     [] { Form48->Button6.Click(); }, Unformable(0xA1)},
        SequenceCase{"PeriodicReport", [] { return Shown(Form25); },
                     [](H) { Form25->Edit3.SetText(TooLong); }, [] { Form25->Button2.Click(); },
                     Unformable(0xA2)},
        SequenceCase{"SoldGoodsReport", [] { return Shown(Form24); },
                     [](H) { Form24->Edit1.SetText(TooLong); }, [] { Form24->Button2.Click(); },
                     Unformable(0xA4)},
        SequenceCase{"FiscalParamsReadingWindow", [] { return Shown(Form17); },
                     [](H) { Form17->Edit5.SetText(TooLong); }, [] { Form17->Button3.Click(); },
                     Unformable(0x42)},
        SequenceCase{"FiscalParamsReading", [] { return Shown(Form18); },
                     [](H) { Form18->Edit8.SetText(TooLong); }, [] { Form18->Button1.Click(); },
                     Unformable(0x42)},
        SequenceCase{"FiscalParamsProgramming", [] { return Shown(Form37); },
                     [](H host) {
                         Form37->Edit8.SetText(TooLong);
                         TickEveryPartNext(host);
                     },
                     [] { Form37->Button5.Click(); }, Unformable(0x47)},
        SequenceCase{"FiscalParamsProgrammingLongName", [] { return Shown(Form18); },
                     [](H host) {
                         Form18->Edit14.SetText(std::string(210, 'x')); // row Д, the last tax
                         TickEveryPartNext(host);
                     },
                     [] { Form18->Button5.Click(); }, Unformable(0x47)},
        SequenceCase{"Fiscalisation", [] { return Shown(Form19); },
                     [](H) {
                         TypeFiscalisation();
                         Form19->Edit3.SetText(TooLong);
                     },
                     [] { Form19->Button2.Click(); }, Unformable(0x40)},
        SequenceCase{"ClockAndRestart", [] { return Shown(Form15); },
                     [](H) { Form15->Edit3.SetText(TooLong); }, [] { Form15->Button3.Click(); },
                     Unformable(0x20)},
        SequenceCase{
            "ArticleLoading", [] { return Shown(Form20); },
            [](H) { Form20->Memo1.SetText("1;Хлеб;1.00;1;1;\n2;" + std::string(210, 'x') + ";1.00;1;1;"); },
            [] { Form20->Button2.Click(); }, "Строка 2: " + Unformable(0x24)},
        SequenceCase{"Sale", [] { return Shown(Form21); },
                     [](H) {
                         Form21->Edit1.SetText(TooLong);
                         Form21->Edit3.SetText("101;Хлеб;12.50;1;1;");
                     },
                     [] { Form21->Button2.Click(); }, Unformable(0x24)},
        SequenceCase{"FiscalMemoryRead", [] { return Shown(Form7); },
                     [](H) {
                         Form7->Edit3.SetText(std::string(215, '7')); // the first block's 0 fits, 119 not
                         TypeMemoryRange();
                     },
                     [] { Form7->Button3.Click(); }, Unformable(0xF1)},
        SequenceCase{"FiscalMemoryWrite", [] { return Shown(Form7); },
                     [](H) {
                         Form7->Edit3.SetText(std::string(111, '7')); // the first block fits, the last not
                         TypeMemoryRange();
                     },
                     [] { Form7->Button4.Click(); }, Unformable(0xF2)}),
    [](const auto& info) { return std::string(info.param.name); });

// The register refuses a later command of the sequence: the message says which commands it had
// taken, and a report still closes its receipt.
class TakenStepsTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Session.FirmwareVersion = "3.01";
    }
};

TEST_F(TakenStepsTest, AFailureAfterTakenCommandsNamesThem) {
    const std::string refused = "Неверный пароль доступа!";
    const struct {
        const char* name;
        std::function<void()> refuse; // sets up the simulator's refusal
        std::function<void()> press;
        std::vector<int> codes;
        std::string message;
    } cases[] = {
        {"receipt copy",
         [this] { sim.SetOverride(0xA5, {.Error = "0006"}); },
         [] { Form41->Button2.Click(); },
         {0x60, 0xA5},
         "Печать копии чека:\n  " + refused + "\nРегистратор уже принял: открытие чека."},
        {"control tape",
         [this] { sim.SetOverride(0xA6, {.Error = "0006"}); },
         [] { Form23->Button5.Click(); },
         {0x60, 0x61, 0xA6},
         "Проверка состояния регистратора:\n  " + refused +
             "\nРегистратор уже принял: открытие чека, заголовок ленты."},
        {"extra daily report",
         [this] { sim.SetOverride(0xA6, {.Error = "0006"}); },
         [] { Form31->Button2.Click(); },
         {0x60, 0xA6},
         "Печать дополнительных дневных отчетов:\n  " + refused + "\nРегистратор уже принял: открытие чека."},
        {"periodic report, closed after",
         [this] { sim.SetOverride(0xA2, {.Error = "0006"}); },
         [] { Form25->Button2.Click(); },
         {0x60, 0xA2, 0x65},
         "Печать периодического отчета :\n  " + refused + "\nРегистратор уже принял: открытие чека."},
        {"sold goods report, closed after",
         [this] { sim.SetOverride(0xA4, {.Error = "0006"}); },
         [] { Form24->Button2.Click(); },
         {0x60, 0xA4, 0x65},
         "Отчет по реализованным товарам:\n  " + refused + "\nРегистратор уже принял: открытие чека."},
        {"pq tape clearing",
         [this] {
             sim.SetOverrideForNext(1, {});
             sim.SetOverrideForNext(1, {.Error = "0006"});
         },
         [] { Form48->Button6.Click(); },
         {0xA1, 0xA1},
         "Печать дневных отчетов:\n  " + refused + "\nРегистратор уже принял: выгрузка контрольной ленты."},
        {"service cash",
         [this] { sim.SetOverride(0x77, {.Error = "0006"}); },
         [] { Form9->Button3.Click(); },
         {0x63, 0x77},
         "Служебный внос денег:\n  " + refused + "\nРегистратор уже принял: открытие чека."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim.ClearOverrides();
        sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
        sim.ClearFrames();
        host.Clear();
        c.refuse();
        c.press();
        EXPECT_EQ(Codes(), c.codes);
        EXPECT_EQ(host.Texts(), Texts{c.message});
    }
}

TEST_F(TakenStepsTest, AFailedConfirmationReceiptNamesTheFiscalisationTaken) {
    sim.SetOverride(0x61, {.Error = "0006"});
    TypeFiscalisation();
    Form19->Button2.Click();
    std::vector<int> codes = Codes();
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end()); // the wait asks 80h till ready
    EXPECT_EQ(codes, (std::vector<int>{0x40, 0x80, 0x60, 0x84, 0x61}));
    EXPECT_EQ(host.Texts(),
              Texts{"Фіскаліз. реєстратора:\n  Неверный пароль доступа!\nРегистратор уже принял: "
                    "фискализация, открытие чека, служебный отчет."});
    EXPECT_TRUE(sim.State().Fiscal.FiscalMode);
}

} // namespace
