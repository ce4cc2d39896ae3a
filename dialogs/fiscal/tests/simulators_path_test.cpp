// The path `make run` offers a technician without a register: the register simulator's program with
// the firmware the run script gives it, the bank-terminal simulator's program, and Kaltor connected to
// both through its main window. A receipt paid by card there reaches the terminal and is booked.
#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/fiscal/tests/simulator_process.h"
#include "shell/tests/shell_fixture.h"

namespace {

using Texts = std::vector<std::string>;
using SimulatorsPathTest = ShellFixture;

TEST_F(SimulatorsPathTest, AReceiptPaidByCardReachesTheSimulatedTerminal) {
    SimulatorProcess registerProgram("regsim", {"--version", "4.00"}); // as scripts/run-with-simulator
    TerminalProcess terminal({});
    ASSERT_FALSE(registerProgram.Port().empty());
    OfferPorts(registerProgram.Port());
    ::setenv("KALTOR_TERMINAL_PORTS", terminal.Port().c_str(), 1);
    SetTimeScale(1.0); // the register is another process: its answers get the real waits
    Connect();
    ::unsetenv("KALTOR_TERMINAL_PORTS");
    ASSERT_TRUE(host.Texts().empty()) << host.Texts().front();
    EXPECT_EQ(Session.FirmwareVersion, "4.00");
    ASSERT_TRUE(Form1->GroupBox2.Visible());
    EXPECT_EQ(Form1->ComboBox3.Text(), terminal.Port());
    Form1->Button4.Click(); // the bank-terminal group's "Подключить"
    ASSERT_TRUE(host.Texts().empty()) << host.Texts().front();

    Form20->Memo1.Lines().Assign(Texts{"101;Хлеб;12.50;1;1;"});
    Form20->Label3.SetCaption("goods.art");
    std::string paid = "not paid";
    host.OnModal("TForm21", [&](TForm& form) {
        Form21->Button1.Click(); // open the receipt
        Form21->ListBox1.SetItemIndex(0);
        Form21->ListBox1Click();
        Form21->Edit10.SetText("2");
        Form21->Edit9.SetText("12.50");
        Form21->Button2.Click();
        Form21->ComboBox1.SetItemIndex(1); // a card
        Form21->Edit8.SetText("25.00");
        Form21->Button8.Click();
        paid = Form21->Edit7.Text();
        form.Close();
    });
    Form1->N8.Click(); // "Фискальный чек"
    EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    EXPECT_EQ(paid, "0000");
    EXPECT_EQ(terminal.Requests(), Texts{"00=0417|03=S|05=2500|52=980|53=UAH|61=1"});
}

} // namespace
