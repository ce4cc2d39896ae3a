#include <algorithm>

#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "platform/profile/profile.h"
#include "shell/typed_fields.h"

namespace {

class FiscalParamsTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Activate(); // a settings file, so that the country code is read from it
        sim.UpdateState([](regsim::RegisterState& state) {
            state.FactoryNumber = "KV12345678";
            state.FiscalNumber = "4000123456";
            state.TaxNumber = "123456789012";
            state.Fiscal.IdNumber = "987654321098";
            state.Fiscal.Taxes[2] = {3, "7.00", "ПДВ 7", 4};
            state.Fiscal.Taxes[4] = {2, "1.50", "Збір", -1};
        });
    }

    // Programs with these boxes of the confirmation ticked; the labels of the result window, if shown.
    std::vector<std::string> Program(TFiscalParamsForm& form, bool fiscalNumber, bool taxId, bool taxes,
                                     bool cancel = false) {
        host.OnModal("TForm22", [=](TForm&) {
            Form22->CheckBox2.SetChecked(fiscalNumber);
            Form22->CheckBox3.SetChecked(taxId);
            Form22->CheckBox4.SetChecked(taxes);
            (cancel ? Form22->Button2 : Form22->Button1).Click();
        });
        // Every queued action is alike, so one left over from a programming that showed no result is
        // harmless.
        labels_.clear();
        host.OnModal("TForm36", [this](TForm&) {
            labels_ = {Form36->Label1.Caption(), Form36->Label2.Caption(), Form36->Label3.Caption()};
            Form36->Button2.Click();
        });
        form.Button5.Click();
        return labels_;
    }
    std::vector<std::string> labels_;

    // Parameters of the extended window that every part takes (the rows' kinds as activation sets them).
    static void TypeGoodParameters() {
        Form37->Edit15.SetText("4000999999");
        Form37->Edit3.SetText("111122223333");
        Form37->Edit1.SetText("4444555566667");
        Form37->ComboBox3.SetItemIndex(0);
        Form37->Edit12.SetText("ПДВ_Г");
        Form37->Edit14.SetText("ПДВ_Д");
    }

    std::vector<uint8_t> CodesSent() const {
        std::vector<uint8_t> codes;
        for (const auto& frame : sim.Frames())
            codes.push_back(frame.Code);
        return codes;
    }
};

TEST_F(FiscalParamsTest, ReadingFillsEveryField) {
    Form18->FormActivate();
    Form18->Button1.Click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Успешно!"});
    EXPECT_EQ(Form18->Edit2.Text(), "KV12345678");
    EXPECT_EQ(Form18->Edit15.Text(), "4000123456");
    EXPECT_EQ(Form18->Edit3.Text(), "987654321098");
    EXPECT_EQ(Form18->Edit1.Text(), "123456789012");
    EXPECT_EQ(Form18->ComboBox3.Text(), "Группа не облагаемая налогом");
    EXPECT_EQ(Form18->Edit6.Text(), "7.00");
    EXPECT_EQ(Form18->Edit11.Text(), "ПДВ 7");
    EXPECT_EQ(Form18->ComboBox5.ItemIndex(), 2);
    EXPECT_EQ(Form18->Edit14.Text(), "Збір");

    Form37->FormActivate();
    Form37->Button1.Click();
    EXPECT_EQ(Form37->ComboBox8.Text(), "Налог Д"); // row В linked to Д
    EXPECT_EQ(Form37->ComboBox10.Text(), "Отсутствует");
    EXPECT_EQ(Form37->ComboBox6.Text(), "Отсутствует");
}

TEST_F(FiscalParamsTest, ReadingStopsAtTheFirstFailure) {
    const struct {
        uint8_t code;
        regsim::AnswerOverride answer;
        std::string message;
        std::vector<uint8_t> sent;
    } cases[] = {
        {0x42, {.Silent = true}, "Таймаут устройства! GetSerialNumber Ошибка!", {0x42}},
        {0x44, {.Error = "0006"}, "Ошибка GetFiscalNumber!", {0x42, 0x44}},
        {0x46, {.Error = "0006"}, "Ошибка GetTaxIdNumber!", {0x42, 0x44, 0x46}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        sim.ClearFrames();
        sim.ClearOverrides();
        host.Clear();
        sim.SetOverride(c.code, c.answer);
        Form18->Button1.Click();
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
        // The driver's own resends of a silent command do not count here.
        std::vector<uint8_t> sent = CodesSent();
        sent.erase(std::unique(sent.begin(), sent.end()), sent.end());
        EXPECT_EQ(sent, c.sent);
    }
    // A tax row's failure names the row and the register's reason, and leaves the later rows unread.
    sim.ClearOverrides();
    sim.ClearFrames();
    host.Clear();
    sim.SetOverrideForNext(5, {});
    sim.SetOverrideForNext(1, {.Error = "0006"});
    Form18->Button1.Click();
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_EQ(host.Texts()[0].rfind("Налог В:\n  ", 0), 0u) << host.Texts()[0];
    EXPECT_EQ(CodesSent(), (std::vector<uint8_t>{0x42, 0x44, 0x46, 0x48, 0x48, 0x48}));
}

TEST_F(FiscalParamsTest, ProgrammingSendsTheChosenPartsAndSumsThemUp) {
    Form37->FormActivate();
    Form37->Edit15.SetText("4000999999");
    Form37->Edit3.SetText("111122223333");
    Form37->Edit1.SetText("4444555566667");
    Form37->ComboBox4.SetItemIndex(6);
    Form37->Edit7.SetText("5.00");
    Form37->Edit12.SetText("Акциз");
    Form37->ComboBox9.SetItemIndex(0);
    const auto labels = Program(*Form37, true, true, true);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Фискальный номер - успешно.", "Регистрационный номер - успешно.",
                                        "Ставки налогов - успешно."}));
    const regsim::RegisterState state = sim.State();
    EXPECT_EQ(state.FiscalNumber, "4000999999");
    EXPECT_EQ(state.Fiscal.IdNumber, "111122223333");
    EXPECT_EQ(state.TaxNumber, "4444555566667");
    EXPECT_EQ(state.Fiscal.Taxes[3].Kind, 6);
    EXPECT_EQ(state.Fiscal.Taxes[3].Rate, "5.00");
    EXPECT_EQ(state.Fiscal.Taxes[3].Name, "Акциз");
    EXPECT_EQ(state.Fiscal.Taxes[3].Linked, 0);
    EXPECT_EQ(state.Fiscal.Taxes[0].Linked, -1);
    EXPECT_EQ(CodesSent(), (std::vector<uint8_t>{0x47, 0x47, 0x47, 0x47, 0x47, 0x43, 0x45}));
    EXPECT_EQ(sim.Frames()[0].Data, "736204;0;01;20.00;ПДВ_А;-1;");
    EXPECT_EQ(sim.Frames()[3].Data, "736204;3;06;5.00;Акциз;0;");
}

TEST_F(FiscalParamsTest, TheStandardWindowSendsNoLinkedGroup) {
    Form18->FormActivate();
    const auto labels = Program(*Form18, false, false, true);
    EXPECT_EQ(labels, (std::vector<std::string>{"Фискальный номер - не программировался.",
                                                "Регистрационный номер - не программировался.",
                                                "Ставки налогов - успешно."}));
    EXPECT_EQ(sim.Frames()[1].Data, "736204;1;01;0.00;ПДВ_Б;-1;");
}

TEST_F(FiscalParamsTest, NothingChosenOrCancelledSendsNothing) {
    Form18->FormActivate();
    EXPECT_TRUE(Program(*Form18, true, true, true, true).empty());
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(Program(*Form18, false, false, false),
              (std::vector<std::string>{"Фискальный номер - не программировался.",
                                        "Регистрационный номер - не программировался.",
                                        "Ставки налогов - не программировались."}));
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST_F(FiscalParamsTest, AFailedTaxLeavesTheLaterTaxesUnsentAndTheOtherPartsGoOn) {
    Form18->FormActivate();
    Form18->Edit6.SetText("abc"); // row В
    const auto labels = Program(*Form18, true, false, true);
    EXPECT_EQ(labels, (std::vector<std::string>{"Фискальный номер - успешно.",
                                                "Регистрационный номер - не программировался.",
                                                "Ставки налогов - ошибка."}));
    EXPECT_EQ(CodesSent(), (std::vector<uint8_t>{0x47, 0x47, 0x47, 0x43}));
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_EQ(host.Texts()[0].rfind("Налог В:\n  ", 0), 0u) << host.Texts()[0];

    host.Clear();
    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.FiscalMode = true; });
    EXPECT_EQ(Program(*Form18, true, true, false)[0], "Фискальный номер - ошибка.");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка SetFiscalNumber!", "Ошибка SetTaxIdNumber!"}));
}

TEST_F(FiscalParamsTest, TheExtendedWindowChecksLengthsBeforeSending) {
    const struct {
        const char* fiscal;
        const char* id;
        const char* tax;
        const char* message; // empty: programmed
    } cases[] = {
        {"123456789", "", "", "Неверная длина фискального номера, исправьте!"},
        {"", "12345678901", "", "Неверный длина идентификационного номера, исправьте!"},
        {"", "", "12345678901", "Неверный длина налогового номера, исправьте!"},
        {"", "", "", ""},
        {"1234567890", "123456789012", "123456789012", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        sim.ClearFrames();
        host.Clear();
        Form37->Edit15.SetText(c.fiscal);
        Form37->Edit3.SetText(c.id);
        Form37->Edit1.SetText(c.tax);
        const auto labels = Program(*Form37, true, true, false);
        if (*c.message) {
            EXPECT_TRUE(labels.empty());
            EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
        } else {
            EXPECT_EQ(labels[1], "Регистрационный номер - успешно.");
            EXPECT_EQ(sim.State().FiscalNumber, c.fiscal);
        }
    }
}

// Everything the ticked parts send is checked, and every command formed, after the confirmation and
// before the first tax goes out: a refusal of any part sends nothing at all, shows no result window
// and leaves the results of the last programming; cancelling checks nothing.
TEST_F(FiscalParamsTest, ARefusalOfAnyPartSendsNothingAtAll) {
    const struct {
        const char* name;
        std::function<void()> type;
        std::string message;
    } cases[] = {
        {"fiscal number of 9", [] { Form37->Edit15.SetText("123456789"); },
         "Неверная длина фискального номера, исправьте!"},
        {"fiscal number of 11", [] { Form37->Edit15.SetText("12345678901"); },
         "Неверная длина фискального номера, исправьте!"},
        {"identification number of 11", [] { Form37->Edit3.SetText("12345678901"); },
         "Неверный длина идентификационного номера, исправьте!"},
        {"identification number of 13", [] { Form37->Edit3.SetText("1234567890123"); },
         "Неверный длина идентификационного номера, исправьте!"},
        {"tax number of 11", [] { Form37->Edit1.SetText("12345678901"); },
         "Неверный длина налогового номера, исправьте!"},
        {"tax number of 14", [] { Form37->Edit1.SetText("12345678901234"); },
         "Неверный длина налогового номера, исправьте!"},
        {"no kind of tax", [] { Form37->ComboBox3.SetItemIndex(-1); }, "Налог В:\n  Не выбран тип налога!"},
        {"separator in a name", [] { Form37->Edit12.SetText("Акц;из"); },
         FieldSeparatorMessage("Налог Г, наименование")},
        {"separator in the fiscal number", [] { Form37->Edit15.SetText("12345;7890"); },
         FieldSeparatorMessage("Фискальный номер:")},
        {"name too long for a frame", [] { Form37->Edit14.SetText(std::string(210, 'x')); },
         UnformableCommandMessage(0x47, RefusalDataTooLong)},
    };
    for (const auto& c : cases) {
        for (const bool cancel : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (cancel ? ", cancelled" : ""));
            Form36->FiscalNumberResult = Form36->TaxIdResult = Form36->TaxRatesResult = 1;
            sim.ClearFrames();
            host.Clear();
            std::vector<std::string> labels = {"not pressed"};
            host.OnModal("TForm37", [&](TForm& form) {
                TypeGoodParameters();
                c.type();
                labels = Program(*Form37, true, true, true, cancel);
                form.Close();
            });
            Form37->ShowModal();
            EXPECT_TRUE(labels.empty());
            EXPECT_EQ(sim.FrameCount(), 0u);
            EXPECT_EQ(host.Texts(),
                      cancel ? std::vector<std::string>{} : std::vector<std::string>{c.message});
            EXPECT_EQ(Form36->FiscalNumberResult + Form36->TaxIdResult + Form36->TaxRatesResult, 3);
        }
    }
    // Each check concerns its own part only: a fiscal number of the wrong length does not stop the
    // taxes when the fiscal number is not ticked.
    host.OnModal("TForm37", [&](TForm& form) {
        TypeGoodParameters();
        Form37->Edit15.SetText("123456789");
        EXPECT_EQ(Program(*Form37, false, false, true)[2], "Ставки налогов - успешно.");
        form.Close();
    });
    Form37->ShowModal();
    EXPECT_EQ(CodesSent(), std::vector<uint8_t>(5, 0x47));
    EXPECT_TRUE(host.Texts().empty());
}

// When the register takes the taxes and then refuses the fiscal number, the message says what it
// took, and the result window shows each part as the register answered it.
TEST_F(FiscalParamsTest, AFailureAfterTheTaxesNamesTheTaxesTaken) {
    Form18->FormActivate();
    sim.SetOverride(0x43, {.Error = "0006"});
    const auto labels = Program(*Form18, true, true, true);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Фискальный номер - ошибка.", "Регистрационный номер - успешно.",
                                        "Ставки налогов - успешно."}));
    EXPECT_EQ(CodesSent(), (std::vector<uint8_t>{0x47, 0x47, 0x47, 0x47, 0x47, 0x43, 0x45}));
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"Ошибка SetFiscalNumber!\nРегистратор уже принял: налог А, "
                                       "налог Б, налог В, налог Г, налог Д."});
}

TEST_F(FiscalParamsTest, CountryCodeTwoHidesTheIdentificationNumber) {
    for (const auto& [code, visible] : std::vector<std::pair<std::string, bool>>{{"5", true}, {"2", false}}) {
        WriteProfileString(Session.IniFileName, "CountryMode", "Country code", code);
        Form18->FormActivate();
        EXPECT_EQ(Form18->Edit3.Visible(), visible) << code;
        EXPECT_EQ(Form18->CountryCode, visible ? 0 : 2);
    }
}

TEST_F(FiscalParamsTest, TheWindowsLookTidy) {
    Form37->FormActivate();
    EXPECT_TRUE(
        GrabToPng(*Form37, (std::filesystem::temp_directory_path() / "kaltor-fiscal-params.png").string()));
    EXPECT_TRUE(GrabToPng(*Form18,
                          (std::filesystem::temp_directory_path() / "kaltor-fiscal-params-18.png").string()));
    Form36->FormActivate();
    EXPECT_TRUE(
        GrabToPng(*Form36, (std::filesystem::temp_directory_path() / "kaltor-program-result.png").string()));
    EXPECT_TRUE(
        GrabToPng(*Form22, (std::filesystem::temp_directory_path() / "kaltor-program-confirm.png").string()));
}

} // namespace
