// Daily, periodic and sold-goods reports against the simulator.
#include <cstdlib>

#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "platform/forms/grab.h"

namespace {
using regsim::DocumentKind;
using ReportsTest = FiscalFixture;

bool Begins(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

void OpenSale(regsim::RegisterSimulator& sim) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Document.Kind = DocumentKind::Sale; });
}

TEST_F(ReportsTest, XAndZReportsAndTheControlTape) {
    TForm23& form = *Form23;
    form.Button2.Click();
    EXPECT_EQ(DataOf(0xA1), std::vector<std::string>{"736204;1;"});
    EXPECT_EQ(Session.StatusReady, 1);
    EXPECT_EQ(form.Edit3.Text(), "0000");

    form.Button3.Click();
    EXPECT_EQ(sim.State().LastReportNumber, "1");
    EXPECT_EQ(sim.State().Reports.Journal.size(), 1u);

    sim.ClearFrames();
    form.Button5.Click(); // the control tape, printed inside a non-fiscal receipt
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0x61, 0xA6, 0x65}));
    EXPECT_EQ(DataOf(0x61), std::vector<std::string>{"736204;%MHJc*** Контрольная лента ***;"});
    EXPECT_EQ(DataOf(0xA6), std::vector<std::string>{"736204;2;;;"});

    form.Button6.Click();
    EXPECT_EQ(sim.State().Reports.TapeClears, 1);
    EXPECT_TRUE(host.Texts().empty());

    form.Button1Click();
    EXPECT_FALSE(form.Button4.Enabled());
    EXPECT_EQ(form.Edit3.Text(), "");
}

// A Z report counts the register as ready before it is sent, an X report only once it succeeded.
TEST_F(ReportsTest, AZReportWithAReceiptOpenIsRefused) {
    struct Case {
        bool z;
        bool receiptOpen, silent;
        uint8_t ready;
    } cases[] = {
        {true, true, false, 1},
        {true, false, true, 1},
        {false, true, false, 0},
        {false, false, true, 0},
    };
    for (const Case& c : cases) {
        Session.StatusReady = 0;
        host.Clear();
        sim.ClearOverrides();
        sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
        if (c.receiptOpen) OpenSale(sim);
        if (c.silent) sim.SetOverride(0xA1, {.Silent = true});
        const std::string reportsBefore = sim.State().LastReportNumber;
        (c.z ? Form23->Button3 : Form23->Button2).Click();
        ASSERT_EQ(host.Texts().size(), 1u);
        EXPECT_TRUE(Begins(host.Texts()[0], "Печать дневных отчетов:\n  ")) << host.Texts()[0];
        EXPECT_EQ(Session.StatusReady, c.ready) << c.z << c.receiptOpen;
        if (c.receiptOpen) {
            EXPECT_EQ(sim.State().LastReportNumber, reportsBefore);
        }
    }
}

TEST_F(ReportsTest, AdditionalReportsSendTheChosenTypeInsideTheDefaultPasswordsReceipt) {
    for (int type : {0, 1, 2}) {
        sim.ClearFrames();
        Form31->FormActivate();
        EXPECT_EQ(Form31->ComboBox1.ItemIndex(), 0);
        Form31->ComboBox1.SetItemIndex(type);
        Form31->Button2.Click();
        EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0xA6, 0x65}));
        EXPECT_EQ(DataOf(0xA6), std::vector<std::string>{"736204;" + std::to_string(type) + ";;;"});
    }
    EXPECT_TRUE(host.Texts().empty());
    sim.ClearFrames();
    Form31->Edit1.SetText("111111");
    Form31->Button2.Click();
    EXPECT_EQ(DataOf(0x60), std::vector<std::string>{"736204;"});
    EXPECT_EQ(DataOf(0xA6), std::vector<std::string>{"111111;2;;;"});
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Печать дополнительных дневных отчетов:\n  "));
    EXPECT_EQ(Codes().size(), 2u); // the receipt stays open, as the failure stops the handler
}

TEST_F(ReportsTest, PqTapeUnloadingClearsTheArticlesOnlyWhenTicked) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Articles[7] = {}; });
    Form48->Button6.Click();
    EXPECT_EQ(DataOf(0xA1), (std::vector<std::string>{"736204;5;", "736204;2;"}));
    EXPECT_EQ(Codes().size(), 2u);
    EXPECT_EQ(sim.State().Articles.size(), 1u);

    sim.ClearFrames();
    Form48->CheckBox1.SetChecked(true);
    Form48->Button6.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0xA1, 0xA1, 0x3B}));
    EXPECT_EQ(DataOf(0x3B), std::vector<std::string>{"736204;"});
    EXPECT_TRUE(sim.State().Articles.empty());
    EXPECT_TRUE(host.Texts().empty());

    sim.SetOverride(0x3B, {.Error = "0104"});
    Form48->Button6.Click();
    // The bare word, and what the register took before.
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Ошибка \nРегистратор уже принял: выгрузка контрольной "
                                                     "ленты, обнуление контрольной ленты."});
    EXPECT_EQ(Form48->Edit3.Text(), "0104");
}

TEST_F(ReportsTest, PqStatusButtonShowsTheUnloadButtonByFirmwareOrPriority) {
    struct Case {
        std::string firmware, priority;
        bool shown;
    } cases[] = {{"3.02", "medium", true}, {"3.01", "high", true}, {"3.01", "medium", false}};
    for (const Case& c : cases) {
        Session.FirmwareVersion = c.firmware;
        Session.PriorityLevel = c.priority;
        Form48->Button4.Click();
        EXPECT_EQ(Form48->Button6.Visible(), c.shown) << c.firmware << c.priority;
    }
}

TEST_F(ReportsTest, PeriodicReportByDateTakesTheDateEditsText) {
    TForm25& form = *Form25;
    form.FormActivate();
    EXPECT_EQ(form.DateEdit1.Text(), FormatDateTime("dd.mm.yy", Date()));
    EXPECT_FALSE(form.Button3.Enabled());
    struct Case {
        std::string first, last;
        int type;
        std::string sent;
        bool refused;
    } cases[] = {
        {"06.10.08", "31.12.08", 0, "736204;061008;311208;0;", false},
        {"01.01.24", "01.01.24", 1, "736204;010124;010124;1;", false},
        {"31.12.08", "06.10.08", 0, "736204;311208;061008;0;", true},
    };
    for (const Case& c : cases) {
        sim.ClearFrames();
        host.Clear();
        form.DateEdit1.SetText(c.first);
        form.DateEdit2.SetText(c.last);
        form.RadioGroup2.SetItemIndex(c.type);
        form.Button2.Click();
        EXPECT_EQ(DataOf(0xA2), std::vector<std::string>{c.sent});
        EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0xA2, 0x65})); // a refused report still closes
        EXPECT_EQ(host.Texts().size(), c.refused ? 1u : 0u);
        EXPECT_EQ(sim.State().Document.Kind, DocumentKind::None);
    }
    EXPECT_TRUE(form.Button3.Enabled());
    if (const char* folder = std::getenv("KALTOR_PICTURES")) {
        EXPECT_TRUE(GrabToPng(form, std::string(folder) + "/periodic.png"));
    }
}

TEST_F(ReportsTest, PeriodicReportByNumberSendsNothingForANumberMistyped) {
    TForm25& form = *Form25;
    sim.UpdateState([](regsim::RegisterState& state) { state.LastReportNumber = "3"; });
    form.RadioGroup1.SetItemIndex(1);
    EXPECT_TRUE(form.GroupBox3.Visible() && !form.GroupBox2.Visible());
    form.RadioGroup2.SetItemIndex(1);
    form.Edit1.SetText("1");
    form.Edit2.SetText("3");
    form.Button2.Click();
    EXPECT_EQ(DataOf(0xA3), std::vector<std::string>{"736204;1;3;1;"});
    EXPECT_TRUE(host.Texts().empty());

    sim.ClearFrames();
    form.Edit2.SetText("4"); // beyond the last report: refused, the receipt still closed
    form.Button2.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0xA3, 0x65}));
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Печать периодического отчета :\n  "));

    sim.ClearFrames();
    form.Edit1.SetText("");
    EXPECT_THROW(form.Button2Click(), EConvertError);
    EXPECT_TRUE(Codes().empty());
    form.RadioGroup1.SetItemIndex(0);
    EXPECT_TRUE(form.GroupBox2.Visible() && !form.GroupBox3.Visible());
}

TEST_F(ReportsTest, SoldGoodsReportsLastCodeFollowsTheFirmware) {
    struct Case {
        std::string firmware, priority, lastCode;
    } cases[] = {
        {"2.01", "medium", "999999999"},
        {"2.02", "medium", "99999999999999"},
        {"3.00", "medium", "99999999999999"},
        {"3.01", "high", "99999999999999"},
    };
    for (const Case& c : cases) {
        Session.FirmwareVersion = c.firmware;
        Session.PriorityLevel = c.priority;
        Form24->Edit4.SetText("12");
        Form24->FormActivate();
        EXPECT_EQ(Form24->Edit4.Text(), c.lastCode) << c.firmware << c.priority;
        EXPECT_FALSE(Form24->Button4.Enabled());
    }
    Form24->Button2.Click();
    EXPECT_EQ(DataOf(0xA4), std::vector<std::string>{"736204;0;99999999999999;"});
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0xA4, 0x65}));
    EXPECT_TRUE(host.Texts().empty());

    sim.ClearFrames();
    Form24->Edit2.SetText("5");
    Form24->Edit4.SetText("1");
    Form24->Button2.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x60, 0xA4, 0x65}));
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Отчет по реализованным товарам:\n  "));

    sim.ClearFrames();
    Form24->Edit4.SetText("9x");
    EXPECT_THROW(Form24->Button2Click(), EConvertError);
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ReportsTest, SoldGoodsStatusButtonRewritesTheMainStatusLine) {
    sim.UpdateState([](regsim::RegisterState& state) { state.PaymentTypes = "0"; });
    Form24->Button4.Click();
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "   Модель:Kivrel LT-6,    Версия:3.01,     Симулятор.");
    EXPECT_EQ(Session.PaymentCount, 10);
    EXPECT_EQ(host.ModalShown(), std::vector<std::string>{"TForm5"});
}

// The main window offers the PQ-3 daily reports or the ordinary ones, by the connected model.
class DailyReportsMenuTest : public ShellFixture {
protected:
    void ConnectAndOpen(const std::string& model, bool pq) {
        SetModel(model);
        Connect();
        EXPECT_EQ(Form1->PQ31.Enabled(), pq) << model;
        EXPECT_EQ(Form1->N12.Enabled(), !pq) << model;
        host.Clear();
        (pq ? Form1->PQ31 : Form1->N12).Click();
        EXPECT_EQ(host.ModalShown(), std::vector<std::string>{pq ? "TForm48" : "TForm23"});
    }
};

TEST_F(DailyReportsMenuTest, ThePqVariantGetsItsOwnDialog) {
    ConnectAndOpen("Kivrel PQ-3", true);
}

TEST_F(DailyReportsMenuTest, OtherModelsGetTheOrdinaryDialog) {
    ConnectAndOpen("Kivrel LT-6", false);
}
} // namespace
