#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/fiscal/money_amount.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "dialogs/fiscal/tests/simulator_process.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kSignatureLines = {"736204;ПІДПИС;", "736204;КАСИРА . . . . . . . . ;", "736204;ПІДПИС;",
                               "736204;КЛІЄНТА. . . . . . . . ;"};
const std::string kCardFailure = "Ошибка оплаты банковской картой!";

// A card-capable register with an open receipt of 25.00, card type 1 chosen.
class CardPaymentTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        // The terminal is another process: its answers get a quarter of the real waits, which is
        // ample on a loaded machine; a silent terminal then costs five seconds.
        SetTimeScale(0.25);
        Session.FirmwareVersion = "4.00";
        Form20->Memo1.Lines().Assign(Texts{"101;Хлеб;12.50;1;1;"});
        Form20->Label3.SetCaption("goods.art");
        Form21->FormActivate();
        Form21->Button1.Click();
        Form21->Edit3.SetText("101;Хлеб;12.50;1;1;");
        Form21->Edit10.SetText("2");
        Form21->Edit9.SetText("12.50");
        Form21->Button2.Click();
        ASSERT_EQ(sim.State().Document.Total(), 2500);
        Form21->ComboBox1.SetItemIndex(1);
        Form21->Edit8.SetText("12.50");
        sim.ClearFrames();
    }
    // Pays on a simulated terminal started with these options; the requests it received.
    Texts PayOnTerminal(const Texts& options) {
        TerminalProcess terminal(options);
        Form21->TerminalPortName = terminal.Port();
        Form21->Button8.Click();
        return terminal.Requests();
    }
    // As a technician would: the receipt window shown, card type 1 chosen, the amount typed,
    // "Оплатить" and then "Закрыть" pressed. The requests the terminal received.
    Texts PayInShownWindow(const Texts& options, const std::string& amount, bool typedIdentifier = false) {
        sim.ClearFrames();
        host.Clear();
        TerminalProcess terminal(options);
        Form21->TerminalPortName = terminal.Port();
        Form21->TerminalTimeouts.ReadTotalTimeoutConstant = 0; // the terminal port's set-up marks its opening
        host.OnModal("TForm21", [&](TForm&) {
            Form21->ComboBox1.SetItemIndex(1);
            Form21->Edit8.SetText(amount);
            Form21->CheckBox3.SetChecked(typedIdentifier);
            Form21->Button8.Click();
            Form21->Button11.Click();
        });
        Form21->ShowModal();
        return terminal.Requests();
    }
    bool TerminalOpened() const { return Form21->TerminalTimeouts.ReadTotalTimeoutConstant != 0; }
};

const std::string kBadAmount = MoneyAmountMessage("Величина оплаты");
const std::string kApproved =
    "Терминал одобрил оплату банковской картой, но в чеке она не проведена.\nСумма: 12.50"
    "\nИдентификатор транзакции: ";
const std::string kCancelOnTerminal = "\nОтмените оплату на терминале.";
const std::string kIdentifier = "TXN00000000000000001";

TEST_F(CardPaymentTest, AnApprovedSaleIsPrintedAndBookedWithItsIdentifier) {
    const struct {
        Texts options;
        std::string amount;
        bool plain; // no card or signature lines
        std::string request;
        Texts cardLines;
        std::string booked;
    } cases[] = {
        {{},
         "12.50",
         false,
         "00=0417|03=S|05=1250|52=980|53=UAH|61=1",
         {"736204;VISA CARD;", "736204;**** **** 1234 5678;", "736204;AUTH 123456;"},
         "736204;1;12.50;TXN00000000000000001;"},
        {{"--card-field", "02=AUTH01=99", "--card-field", "04=MC", "--card-field", "00=77"},
         "12",
         false,
         "00=77|03=S|05=1200|52=980|53=UAH|61=1",
         {"736204;MC CARD;", "736204;**** **** 1234 5678;", "736204;AUTH01=99;"},
         "736204;1;12.00;TXN00000000000000001;"},
        {{"--card-field", "01=1234"},
         "12.5",
         true,
         "00=0417|03=S|05=1250|52=980|53=UAH|61=1",
         {},
         "736204;1;12.50;TXN00000000000000001;"},
    };
    for (const auto& c : cases) {
        sim.UpdateState([](regsim::RegisterState& state) { state.Document.Payments.clear(); });
        sim.ClearFrames();
        host.Clear();
        Form21->Edit8.SetText(c.amount);
        Form21->CheckBox4.SetChecked(c.plain);
        EXPECT_EQ(PayOnTerminal(c.options), Texts{c.request});
        Texts printed = c.cardLines;
        if (!c.plain) printed.insert(printed.end(), kSignatureLines.begin(), kSignatureLines.end());
        EXPECT_EQ(DataOf(0x61), printed);
        EXPECT_EQ(DataOf(0x78), Texts{c.booked});
        EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
        EXPECT_EQ(Form21->Edit7.Text(), "0000");
        EXPECT_EQ(sim.State().Document.Payments.at(0).TransactionId, "TXN00000000000000001");
    }
    EXPECT_EQ(Form21->TerminalDcb.BaudRate, 115200u);
    EXPECT_EQ(Form21->TerminalTimeouts.ReadTotalTimeoutConstant, 20000u);
}

TEST_F(CardPaymentTest, ATerminalThatDidNotApproveBooksNothing) {
    const Texts cases[] = {
        {"--answer", "decline"},
        {"--answer", "silent"},
        {"--answer", "oversized"},
        {"--answer", "out-of-order"},
        {"--card-field", "00=" + std::string(250, '0')}, // the request would not fit its length byte
    };
    for (const auto& options : cases) {
        host.Clear();
        PayOnTerminal(options);
        EXPECT_EQ(host.Texts(), Texts{kCardFailure}) << options[1].substr(0, 20);
        EXPECT_TRUE(Codes().empty()) << options[1].substr(0, 20);
    }
    // With no terminal port chosen the open fails and the first read ends the payment.
    host.Clear();
    Form21->TerminalPortName = "";
    Form21->Button8.Click();
    EXPECT_EQ(host.Texts(), Texts{kCardFailure});
    EXPECT_NE(Form21->TerminalError, 0u);
    EXPECT_TRUE(Codes().empty());
}

// The customer has paid when the terminal approved: every refusal after that says so, with what to
// cancel on the terminal.
TEST_F(CardPaymentTest, AnApprovedSaleThatCannotBeBookedSaysTheCardWasCharged) {
    const std::string unusable = "Ответ терминала не может быть передан регистратору.\n";
    const struct {
        Texts options;
        std::string identifier;
    } refusedAnswers[] = {
        {{"--sale-field", "58=TXN;77"}, "TXN;77"},
        {{"--sale-field", "58=TXN\x01"}, "TXN\x01"},
        {{"--sale-field", "58=" + std::string(230, '7')}, std::string(230, '7')},
        {{"--sale-field", "58=TXN中5"}, "TXN中5"}, // the register's code page has no such character
        {{"--card-field", "02=AUTH;12"}, kIdentifier},
    };
    for (const auto& c : refusedAnswers) {
        const Texts requests = PayInShownWindow(c.options, "12.50");
        EXPECT_EQ(requests.size(), 1u);
        EXPECT_EQ(host.Texts(), Texts{unusable + kApproved + c.identifier + kCancelOnTerminal});
        EXPECT_TRUE(Codes().empty()) << c.identifier;
    }

    sim.SetOverride(0x78, {.Error = "090B"});
    EXPECT_EQ(PayInShownWindow({}, "12.50").size(), 1u);
    EXPECT_EQ(host.Texts(),
              Texts{"Ошибка оплаты чека банковской картой\n" + kApproved + kIdentifier + kCancelOnTerminal});
    EXPECT_EQ(Codes(), (std::vector<int>{0x61, 0x61, 0x61, 0x78})); // no signature lines after it
    EXPECT_EQ(DataOf(0x78), Texts{"736204;1;12.50;" + kIdentifier + ";"});

    // Without an answer the register may have booked it: the operator looks before cancelling.
    sim.SetOverride(0x78, {.Silent = true});
    PayInShownWindow({}, "12.50");
    EXPECT_EQ(host.Texts(),
              Texts{"Таймаут устройства! Ошибка оплаты банковской картой!\nТерминал одобрил оплату "
                    "банковской картой, регистратор не ответил.\nСумма: 12.50\nИдентификатор "
                    "транзакции: " +
                    kIdentifier + "\nПроверьте чек, прежде чем отменять оплату на терминале."});
}

// Terminal text in CP1251 or UTF-8 is printed and booked as the same letters.
TEST_F(CardPaymentTest, TerminalTextInEitherEncodingKeepsItsLetters) {
    const Texts fields = {"--card-field", "02=ПриватБанк", "--card-field",
                          "04=ПРОСТІР",   "--sale-field",  "58=TXN№5"};
    for (const bool cp1251 : {true, false}) {
        Texts options = fields;
        if (cp1251) options.insert(options.begin(), "--cp1251");
        PayInShownWindow(options, "12.50");
        EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
        const Texts printed = DataOf(0x61);
        ASSERT_EQ(printed.size(), 7u);
        EXPECT_EQ(Texts(printed.begin(), printed.begin() + 3),
                  (Texts{"736204;ПРОСТІР CARD;", "736204;**** **** 1234 5678;", "736204;ПриватБанк;"}));
        EXPECT_EQ(DataOf(0x78), Texts{"736204;1;12.50;TXN№5;"});
        const std::string raw = FramesOf(0x78).at(0).Raw;
        EXPECT_NE(raw.find("TXN\xB9"
                           "5;"),
                  std::string::npos);
        sim.UpdateState([](regsim::RegisterState& state) { state.Document.Payments.clear(); });
    }
}

// The amount is checked once, before the terminal port is opened; the terminal gets it in kopecks and
// the register the same amount with two decimals.
TEST_F(CardPaymentTest, OneAmountForTheTerminalAndTheRegister) {
    const struct {
        std::string typed, kopecks, booked;
    } accepted[] = {
        {" 12.50 ", "1250", "12.50"}, {"12", "1200", "12.00"}, {"12.5", "1250", "12.50"},
        {"0012.05", "1205", "12.05"}, {"0.01", "1", "0.01"},
    };
    for (const auto& c : accepted) {
        const Texts requests = PayInShownWindow({}, c.typed);
        EXPECT_EQ(requests, Texts{"00=0417|03=S|05=" + c.kopecks + "|52=980|53=UAH|61=1"}) << c.typed;
        EXPECT_EQ(DataOf(0x78), Texts{"736204;1;" + c.booked + ";" + kIdentifier + ";"}) << c.typed;
        EXPECT_TRUE(host.Texts().empty()) << c.typed;
        sim.UpdateState([](regsim::RegisterState& state) { state.Document.Payments.clear(); });
    }
    const std::string refused[] = {"12.345", ".5", "12.", "1e1", "-5",    "+5",          "0",
                                   "0.00",   "",   " ",   "abc", "12,50", "123456789012"};
    for (const bool typedIdentifier : {false, true}) {
        Form21->Edit13.SetText("ABC");
        for (const std::string& amount : refused) {
            EXPECT_TRUE(PayInShownWindow({}, amount, typedIdentifier).empty()) << amount;
            EXPECT_EQ(host.Texts(), Texts{kBadAmount}) << amount;
            EXPECT_FALSE(TerminalOpened()) << amount;
            EXPECT_TRUE(Codes().empty()) << amount;
        }
    }
    // The typed identifier books the same amount as the terminal would.
    PayInShownWindow({}, "7.5", true);
    EXPECT_EQ(DataOf(0x78), Texts{"736204;1;7.50;ABC;"});
    EXPECT_FALSE(TerminalOpened());
}

// What the register is to get besides the terminal's answer is formed before the terminal is called,
// the booking with room for the terminal's identifier: a password that leaves no room for it stops
// the payment before the card is charged, though the booking would fit without an identifier.
TEST_F(CardPaymentTest, WhatTheRegisterCannotTakeStopsThePaymentBeforeTheCardIsCharged) {
    for (const bool plain : {false, true}) { // with or without card and signature lines
        SCOPED_TRACE(plain);
        Form21->Edit1.SetText(std::string(192, '7'));
        Form21->CheckBox4.SetChecked(plain);
        EXPECT_TRUE(PayInShownWindow({}, "12.50").empty());
        EXPECT_FALSE(TerminalOpened());
        EXPECT_EQ(sim.FrameCount(), 0u);
        EXPECT_EQ(host.Texts(), Texts{UnformableCommandMessage(0x78, RefusalDataTooLong)});
    }
    // A typed identifier is checked as it is sent: its 20 characters, no room kept for a longer one.
    Form21->Edit13.SetText("ABCDEFGHIJKLMNOPQRSTUVWXY");
    for (const size_t password : {192, 185}) {
        SCOPED_TRACE(password);
        Form21->Edit1.SetText(std::string(password, '7'));
        PayInShownWindow({}, "12.50", true);
        const bool fits = password == 185;
        // The register itself refuses a password that is not its own.
        EXPECT_EQ(host.Texts(), Texts{fits ? "Ошибка оплаты чека банковской картой"
                                           : UnformableCommandMessage(0x78, RefusalDataTooLong)});
        EXPECT_EQ(DataOf(0x78),
                  fits ? Texts{std::string(185, '7') + ";1;12.50;ABCDEFGHIJKLMNOPQRST;"} : Texts{});
        EXPECT_FALSE(TerminalOpened());
    }
    Form21->Edit1.SetText(DefaultPassword);
}

TEST_F(CardPaymentTest, AmountsAndTypesThatCannotBePaidAreRefusedBeforeAnythingIsSent) {
    Session.PaymentCount = 12;
    Form21->FormActivate();
    const struct {
        std::string amount;
        int type;
        std::string message;
    } cases[] = {
        {"0.00", 1, kBadAmount},
        {"-5", 1, kBadAmount},
        {"abc", 1, kBadAmount},
        // Cash is held to the same rule.
        {"", 0, kBadAmount},
        {"1e250", 0, kBadAmount},
        {"12.50", 11, "Ошибочный тип оплаты"}, // a type the register does not have
    };
    Form21->TerminalPortName = "/nonexistent/terminal";
    for (const auto& c : cases) {
        host.Clear();
        Form21->Edit7.SetText("0000");
        Form21->Edit8.SetText(c.amount);
        Form21->ComboBox1.SetItemIndex(c.type);
        Session.FirmwareVersion = c.type == 11 ? "3.01" : "4.00";
        Form21->Button8.Click();
        EXPECT_EQ(host.Texts(), Texts{c.message}) << c.amount;
        EXPECT_TRUE(Codes().empty()) << c.amount;
    }
    EXPECT_TRUE(Form21->Edit7.Text().empty()); // the cash type was not sent: no earlier answer is shown
}

TEST_F(CardPaymentTest, WhichCommandPays) {
    const struct {
        std::string firmware, journal;
        int type;
        bool typedIdentifier;
        int code;
        std::string data;
    } cases[] = {
        {"4.00", "", 0, false, 0x67, "736204;0;12.50;"}, // type 0 is always cash
        {"3.01", "", 1, false, 0x67, "736204;1;12.50;"}, // no card payment on this register
        {"ЭКСП 5.00", "", 1, true, 0x78, "736204;1;12.50;ABCDEFGHIJKLMNOPQRST;"},
        {"3.01", "КСЕФ", 1, true, 0x78, "736204;1;12.50;ABCDEFGHIJKLMNOPQRST;"},
    };
    Form21->Edit13.SetText("ABCDEFGHIJKLMNOPQRSTUVWXY"); // 25 characters: the first 20 are sent
    Form21->TerminalPortName = "/nonexistent/terminal";  // never opened
    for (const auto& c : cases) {
        sim.UpdateState([](regsim::RegisterState& state) { state.Document.Payments.clear(); });
        sim.ClearFrames();
        host.Clear();
        Session.FirmwareVersion = c.firmware;
        Session.ElJournal = c.journal;
        Form21->ComboBox1.SetItemIndex(c.type);
        Form21->CheckBox3.SetChecked(c.typedIdentifier);
        Form21->Button8.Click();
        EXPECT_EQ(Codes(), std::vector<int>{c.code}) << c.firmware;
        EXPECT_EQ(sim.Frames().at(0).Data, c.data);
        EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    }
}

TEST_F(CardPaymentTest, ATypedIdentifierIsBookedOnlyAsTyped) {
    Form21->CheckBox3.SetChecked(true);
    Form21->TerminalPortName = "/nonexistent/terminal";
    for (const std::string typed : {"", "TXN中5"}) {
        sim.ClearFrames();
        host.Clear();
        Form21->Edit13.SetText(typed);
        Form21->Button8.Click();
        EXPECT_EQ(host.Texts(), Texts{kCardFailure}) << typed;
        EXPECT_TRUE(Codes().empty()) << typed;
    }
}

} // namespace
