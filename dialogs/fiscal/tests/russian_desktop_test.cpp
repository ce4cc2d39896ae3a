// The program's main path on a Russian desktop: the C library's locale and Qt's texts set as the
// program sets them at start, then connect, a fiscal receipt of two articles paid by card on the
// simulated terminal, and the daily X report. The frames are those of the C locale.
#include "app/qt_texts.h"
#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/fiscal/tests/simulator_process.h"
#include "platform/text/tests/c_locale.h"
#include "shell/tests/shell_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class RussianDesktopTest : public ShellFixture {
protected:
    Texts DataOf(int code) const {
        Texts data;
        for (const auto& frame : sim.Frames())
            if (frame.Code == code) data.push_back(frame.Data);
        return data;
    }
    void Sell(int index, const std::string& quantity, const std::string& price) {
        Form21->ListBox1.SetItemIndex(index);
        Form21->ListBox1Click();
        Form21->Edit10.SetText(quantity);
        Form21->Edit9.SetText(price);
        Form21->Button2.Click();
    }
};

TEST_F(RussianDesktopTest, ConnectAReceiptPaidByCardAndTheXReportSendWhatTheCLocaleSends) {
    CLocaleScope russian("ru_RU.UTF-8");
    ASSERT_EQ(CLocaleScope::PrintfHalf(), "0,5");
    UseRussianQtTexts();

    SetModel("Kivrel LT-6", "4.00"); // a firmware that takes card payments
    Connect();
    ASSERT_TRUE(host.Texts().empty()) << host.Texts().front();
    ASSERT_NE(Session.CurrentAnswer, nullptr);

    Form20->Memo1.Lines().Assign(Texts{"101;Хлеб;12.50;1;1;", "102;Молоко;30.00;1;1;"});
    Form20->Label3.SetCaption("goods.art");
    Form21->FormActivate();
    Form21->Button1.Click();
    Sell(0, "2", "12.50");
    Sell(1, "1.5", "30.00");
    EXPECT_EQ(sim.State().Document.Total(), 7000);

    SetTimeScale(0.25); // the terminal is another process
    TerminalProcess terminal({});
    Form21->TerminalPortName = terminal.Port();
    Form21->ComboBox1.SetItemIndex(1);
    Form21->Edit8.SetText("70.00");
    Form21->Button8.Click();
    EXPECT_EQ(terminal.Requests(), Texts{"00=0417|03=S|05=7000|52=980|53=UAH|61=1"});
    Form21->Button9.Click();
    EXPECT_EQ(sim.State().Document.Kind, regsim::DocumentKind::None);

    Form23->Button2.Click();
    EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    EXPECT_EQ(DataOf(0x64), (Texts{"736204;101;2.000;12.50;", "736204;102;1.500;30.00;"}));
    EXPECT_EQ(DataOf(0x78), Texts{"736204;1;70.00;TXN00000000000000001;"});
    EXPECT_EQ(DataOf(0xA1), Texts{"736204;1;"});
    EXPECT_EQ(Form23->Edit3.Text(), "0000");
    EXPECT_EQ(sim.State().ReceiptNumber, "1");
}

} // namespace
