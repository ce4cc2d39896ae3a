// Non-fiscal receipt, service cash, and voiding or closing an open receipt, against the simulator.
#include <cstdlib>

#include "dialogs/fiscal/money_amount.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "platform/forms/grab.h"

namespace {
using regsim::DocumentKind;
using ReceiptWindowsTest = FiscalFixture;

bool Begins(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

std::string Repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

TEST_F(ReceiptWindowsTest, NonFiscalReceiptPrintsEachLineCutAndWithoutSemicolons) {
    struct Case {
        std::string memo;
        std::vector<std::string> printed;
    } cases[] = {
        {std::string(50, 'x'), {"736204;" + std::string(39, 'x') + ";"}},
        {"a;b", {"736204;ab;"}},
        {"", {}},
        // Characters are counted, not bytes.
        {Repeated("ж", 45) + "\nПривет;мир", {"736204;" + Repeated("ж", 39) + ";", "736204;Приветмир;"}},
    };
    for (const Case& c : cases) {
        sim.ClearFrames();
        Form8->Memo1.SetText(c.memo);
        Form8->Button2.Click();
        std::vector<int> codes{0x60};
        codes.insert(codes.end(), c.printed.size(), 0x61);
        codes.push_back(0x65);
        EXPECT_EQ(Codes(), codes) << c.memo;
        EXPECT_EQ(DataOf(0x61), c.printed) << c.memo;
        EXPECT_TRUE(host.Texts().empty()) << c.memo;
        EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);
    }
}

TEST_F(ReceiptWindowsTest, ARefusedLineStillClosesTheReceiptButASilenceDoesNot) {
    Form8->Memo1.SetText("one\ntwo");
    sim.SetOverride(0x61, {.Error = "0104"});
    Form8->Button2.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0x61, 0x65}));
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_NE(host.Texts()[0].find("\nРегистратор уже принял: открытие чека."), std::string::npos);
    EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);

    sim.ClearFrames();
    host.Clear();
    sim.SetOverride(0x61, {.Silent = true});
    Form8->Button2.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0x61}));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{TimeoutMessage + "\nРегистратор уже принял: открытие чека."}));
}

TEST_F(ReceiptWindowsTest, ASemicolonTypedIsWarnedAboutAndKept) {
    char32_t key = U';';
    Form8->Memo1KeyPress(key);
    EXPECT_EQ(key, U';');
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "; - недопустимый символ, \n   будет удален при печати чека!");
    EXPECT_EQ(host.Messages()[0].caption, "Ввод текста");
}

TEST_F(ReceiptWindowsTest, ServiceCashTakesOneCommandOnOldFirmwareElseAReceipt) {
    struct Case {
        std::string firmware, priority;
        bool deposit;
        std::vector<int> codes;
        std::string cashData, cashLeft, message;
    } cases[] = {
        {"2.02", "medium", true, {0x6E}, "736204;1;1.00;", "11.00", "Служебный внос денег - Успешно!"},
        {"2.02", "medium", false, {0x6E}, "736204;1;-1.00;", "9.00", "Служебное изъятие денег - Успешно!"},
        {"2.02",
         "high",
         true,
         {0x63, 0x77, 0x65},
         "736204;0;1.00;",
         "11.00",
         "Служебный внос денег - Успешно!"},
        {"3.00",
         "medium",
         false,
         {0x63, 0x77, 0x65},
         "736204;0;-1.00;",
         "9.00",
         "Служебное изъятие денег - Успешно!"},
    };
    for (const Case& c : cases) {
        sim.UpdateState([](regsim::RegisterState& state) { state.Reports.Cash = 1000; });
        sim.ClearFrames();
        host.Clear();
        Session.FirmwareVersion = c.firmware;
        Session.PriorityLevel = c.priority;
        (c.deposit ? Form9->Button3 : Form9->Button2).Click();
        EXPECT_EQ(Codes(), c.codes) << c.firmware << c.priority;
        EXPECT_EQ(DataOf(c.codes.size() == 1 ? 0x6E : 0x77), std::vector<std::string>{c.cashData});
        if (c.codes.size() > 1) {
            EXPECT_EQ(DataOf(0x63), std::vector<std::string>{"736204;1;0;2;"});
        }
        EXPECT_EQ(Form9->Edit2.Text(), c.cashLeft);
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);
    }
}

TEST_F(ReceiptWindowsTest, ServiceCashRefusalsStopTheHandler) {
    Session.FirmwareVersion = "3.01";
    // A receipt already open: 63h is refused and nothing more is sent; the message has no prefix.
    sim.UpdateState([](regsim::RegisterState& state) { state.Document.Kind = DocumentKind::NonFiscal; });
    Form9->Button3.Click();
    EXPECT_EQ(Codes(), std::vector<int>{0x63});
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_FALSE(Begins(host.Texts()[0], "Служебный"));

    // More taken out than the drawer holds, on the one-command path: the prefix then the reason.
    sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
    sim.ClearFrames();
    host.Clear();
    Session.FirmwareVersion = "2.01";
    Form9->Button2.Click();
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Служебное изъятие денег:\n  ")) << host.Texts()[0];

    // A withdrawal the register refuses inside the receipt names the receipt it opened.
    sim.ClearFrames();
    host.Clear();
    Session.FirmwareVersion = "3.01";
    Form9->Edit1.SetText("100000.00");
    Form9->Button2.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x63, 0x77}));
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Служебное изъятие денег:\n  ")) << host.Texts()[0];
    EXPECT_TRUE(host.Texts()[0].ends_with("\nРегистратор уже принял: открытие чека.")) << host.Texts()[0];

    // An operator number that is no number sends nothing.
    sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
    sim.ClearFrames();
    Form9->Edit1.SetText("1.00");
    Form9->Edit3.SetText("1x");
    EXPECT_THROW(Form9->Button3Click(), EConvertError);
    EXPECT_TRUE(Codes().empty());
    Form9->Edit3.SetText("1");
}

// What the register would take as another amount, or as none, is refused before anything is sent, on
// either path and with either button; the drawer keeps its cash and no receipt is left open, so the
// next deposit goes through.
TEST_F(ReceiptWindowsTest, ServiceCashAmountsAreCheckedBeforeAnythingIsSent) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Reports.Cash = 1000; });
    const std::string refused = MoneyAmountMessage("Сумма");
    for (const std::string firmware : {"2.02", "3.01"}) {
        Session.FirmwareVersion = firmware;
        for (const std::string amount :
             {"-1", "0.001", "1e-5", "1e250", "0", "0.00", "12.345", "1,5", "1e2", "", "100000000000"}) {
            for (TButton* button : {&Form9->Button3, &Form9->Button2}) {
                SCOPED_TRACE(firmware + " \"" + amount + "\" " + button->Caption());
                sim.ClearFrames();
                host.Clear();
                host.OnModal("TForm9", [&](TForm& form) {
                    Form9->Edit1.SetText(amount);
                    button->Click();
                    EXPECT_EQ(Form9->Edit1.Text(), amount);
                    form.Close();
                });
                Form9->ShowModal();
                EXPECT_EQ(sim.FrameCount(), 0u);
                EXPECT_EQ(host.Texts(), std::vector<std::string>{refused});
            }
        }
        EXPECT_EQ(sim.State().Reports.Cash, 1000);
        EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);
    }
    // The largest amount the window takes goes out as typed.
    host.Clear();
    Form9->Edit1.SetText(" 99999999999.99 ");
    Form9->Button3.Click();
    EXPECT_EQ(DataOf(0x77), std::vector<std::string>{"736204;0;99999999999.99;"});
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Служебный внос денег - Успешно!"});
    EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);
}

TEST_F(ReceiptWindowsTest, ActivationShowsTheReceiptStateAndWhatMayBeDone) {
    struct Case {
        uint8_t s2;
        std::string text;
        bool mayClose, mayVoid;
    } cases[] = {
        {0x00, "Нет открытых чеков", false, false},   {0x05, "Открыт нефискальный чек", true, false},
        {0x14, "Открыт чек возврата", true, true},    {0x11, "Открыт чек возврата", false, true},
        {0x04, "Открыт фискальный чек", true, true},  {0x06, "Открыт фискальный чек", true, true},
        {0x01, "Открыт фискальный чек", false, true},
    };
    for (const Case& c : cases) {
        sim.UpdateState([&](regsim::RegisterState& state) { state.Status[2] = c.s2; });
        Form35->FormActivate();
        EXPECT_EQ(Form35->StatusBar1.SimpleText(), c.text) << int(c.s2);
        EXPECT_EQ(Form35->Button2.Enabled(), c.mayClose) << int(c.s2);
        EXPECT_EQ(Form35->Button3.Enabled(), c.mayVoid) << int(c.s2);
        EXPECT_EQ(Form35->Edit1.Text(), "0000");
    }
    for (const auto& [field, count] :
         std::vector<std::pair<std::string, int>>{{"3", 3}, {"", 10}, {"0", 10}}) {
        sim.UpdateState([&](regsim::RegisterState& state) { state.PaymentTypes = field; });
        Form35->FormActivate();
        EXPECT_EQ(Session.PaymentCount, count) << field;
    }
    EXPECT_TRUE(host.Texts().empty());
}

// The receipts a register can have open, each left by the commands that open it.
regsim::Receipt OpenReceipt(DocumentKind kind, bool paid) {
    regsim::Receipt receipt;
    receipt.Kind = kind;
    if (kind == DocumentKind::NonFiscal) return receipt;
    receipt.Lines.push_back({1, 100, 0});
    if (paid) receipt.Payments.push_back({0, 100, ""});
    return receipt;
}

TEST_F(ReceiptWindowsTest, VoidOrCloseEndsTheReceiptOfEachState) {
    struct Case {
        DocumentKind kind;
        bool paid;
        uint8_t s2;
        bool close;
    } cases[] = {
        {DocumentKind::NonFiscal, false, 0x05, true}, {DocumentKind::Sale, false, 0x02, false},
        {DocumentKind::Sale, true, 0x04, true},       {DocumentKind::Refund, false, 0x12, false},
        {DocumentKind::Refund, true, 0x14, true},
    };
    for (const Case& c : cases) {
        sim.UpdateState([&](regsim::RegisterState& state) {
            state.Document = OpenReceipt(c.kind, c.paid);
            state.Status[2] = c.s2;
        });
        Form35->FormActivate();
        TButton& button = c.close ? Form35->Button2 : Form35->Button3;
        ASSERT_TRUE(button.Enabled()) << int(c.s2);
        button.Click();
        EXPECT_TRUE(host.Texts().empty()) << int(c.s2) << ": " << host.Texts()[0];
        EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None) << int(c.s2);
        EXPECT_EQ(Form35->StatusBar1.SimpleText(), "Нет открытых чеков");
        EXPECT_FALSE(Form35->Button2.Enabled() || Form35->Button3.Enabled());
    }
    EXPECT_EQ(DataOf(0x6B), (std::vector<std::string>(2, "736204;0;")));
    EXPECT_EQ(DataOf(0x65), (std::vector<std::string>(3, "736204;0;")));
}

TEST_F(ReceiptWindowsTest, AFailedVoidOrCloseKeepsTheButtonsForAnotherTry) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Document = OpenReceipt(DocumentKind::Sale, true); // paid: no longer voided
        state.Status[2] = 0x04;
    });
    Form35->FormActivate();
    Form35->Button3.Click();
    sim.SetOverride(0x65, {.Silent = true});
    Form35->Button2.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка аннулирования",
                                                      "Таймаут устройства! Ошибка закрыиия чека!"}));
    EXPECT_TRUE(Form35->Button2.Enabled() && Form35->Button3.Enabled());
    EXPECT_EQ(Form35->StatusBar1.SimpleText(), "Открыт фискальный чек");
}

// A silent register shows its message once: closing a message box does not activate the window again.
TEST_F(ReceiptWindowsTest, ASilentRegisterOnActivationAsksOnce) {
    sim.SetOverride(0x80, {.Silent = true});
    host.OnModal("TForm35", [](TForm& form) { form.Close(); });
    Form35->ShowModal();
    // One command: the driver's own resends of an unanswered frame at most.
    const std::vector<int> codes = Codes();
    EXPECT_TRUE(!codes.empty() && codes.size() <= 5 && codes == std::vector<int>(codes.size(), 0x80));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Проверка состояния регистратора:\n  Таймаут устройства! Ошибка!"}));
}

TEST_F(ReceiptWindowsTest, StatusButtonRefreshesTheLineAndOpensTheViewer) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Status[2] = 0x05; });
    Form35->FormActivate();
    Form35->Button4.Click();
    EXPECT_EQ(Form35->StatusBar1.SimpleText(), "   Модель:Kivrel LT-6,    Версия:3.01,     Симулятор.");
    EXPECT_EQ(host.ModalShown(), std::vector<std::string>{"TForm5"});
    EXPECT_TRUE(Form35->Button2.Enabled()); // the buttons stay as activation set them
    if (const char* folder = std::getenv("KALTOR_PICTURES")) {
        EXPECT_TRUE(GrabToPng(*Form35, std::string(folder) + "/void-close.png"));
    }
}
} // namespace
