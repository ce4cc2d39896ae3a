// Coming back to a window from one of ours above it (the programming confirmation, the status viewer)
// keeps what the technician typed: the next command carries it, not the window's defaults.
#include <QCoreApplication>
#include <QKeyEvent>
#include <functional>

#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

using Texts = std::vector<std::string>;

// The ways of leaving a window shown above another.
enum class Leave { Button, CloseBox, Escape };

void PressEscape(TForm& form) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(form.Widget(), &press);
}

// Leaves the status viewer by its "Закрыть" or by its close box.
std::function<void(TForm&)> LeaveStatusViewer(Leave way) {
    return [way](TForm& viewer) {
        if (way == Leave::CloseBox)
            viewer.Widget()->close();
        else
            Form5->Button1.Click();
    };
}

class ReturnToWindowTest : public FiscalFixture {};

// ---- Fiscal parameters through the confirmation -------------------------------------------------

class FiscalParamsReturnTest : public ReturnToWindowTest {
protected:
    void SetUp() override {
        ReturnToWindowTest::SetUp();
        Activate(); // the country code is read from a settings file
    }

    // What the register holds before each round; a round programs it.
    void StartRound() {
        sim.ClearFrames();
        host.Clear();
        sim.UpdateState([](regsim::RegisterState& state) {
            state.Fiscal.Taxes[0] = {2, "10.00", "А10", -1};
            state.Fiscal.Taxes[1] = {1, "0.00", "ПДВ_Б", -1};
            state.Fiscal.Taxes[2] = {3, "7.00", "ПДВ 7", 4};
            state.Fiscal.Taxes[4] = {2, "1.50", "Збір", -1};
        });
    }

    // What the confirmation does when it is shown: ticks "Запрограммировать налоги" and leaves by
    // "Продолжить" (continue) or else by the way given.
    void Confirm(bool continueOn, Leave way) {
        host.OnModal("TForm22", [=](TForm& confirmation) {
            Form22->CheckBox4.SetChecked(true);
            if (continueOn)
                Form22->Button1.Click();
            else if (way == Leave::Button)
                Form22->Button2.Click();
            else if (way == Leave::CloseBox)
                confirmation.Widget()->close();
            else
                PressEscape(confirmation);
        });
        host.OnModal("TForm36", [](TForm&) { Form36->Button2.Click(); });
    }

    // Shows the window, reads the register, changes row Б (and links it to Д in the extended
    // window), then programs once per entry of `continues`; returns the kinds shown at the end.
    std::vector<int> ReadChangeAndProgram(TFiscalParamsForm& form, std::vector<bool> continues, Leave way) {
        std::vector<int> kinds;
        host.OnModal(form.ClassName(), [&](TForm&) {
            form.Button1.Click();
            form.ComboBox2.SetItemIndex(3);
            form.Edit5.SetText("2.50");
            form.Edit10.SetText("Б2.5");
            if (auto* extended = dynamic_cast<TForm37*>(&form)) extended->ComboBox7.SetItemIndex(4);
            for (bool continueOn : continues) {
                Confirm(continueOn, way);
                form.Button5.Click();
            }
            for (TComboBox* kind :
                 {&form.ComboBox1, &form.ComboBox2, &form.ComboBox3, &form.ComboBox4, &form.ComboBox5})
                kinds.push_back(kind->ItemIndex());
        });
        form.ShowModal();
        return kinds;
    }
};

const Texts kStandardTaxes = {"736204;0;02;10.00;А10;-1;", "736204;1;03;2.50;Б2.5;-1;",
                              "736204;2;03;7.00;ПДВ 7;-1;", "736204;3;00;0.00;ПДВ_Г;-1;",
                              "736204;4;02;1.50;Збір;-1;"};
const Texts kExtendedTaxes = {"736204;0;02;10.00;А10;-1;", "736204;1;03;2.50;Б2.5;4;",
                              "736204;2;03;7.00;ПДВ 7;4;", "736204;3;00;0.00;ПДВ_Г;-1;",
                              "736204;4;02;1.50;Збір;-1;"};
const std::vector<int> kKindsShown = {2, 3, 3, 0, 2};

TEST_F(FiscalParamsReturnTest, ProgrammingSendsTheRowsShownAndTheyStayShown) {
    for (const bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "TForm37" : "TForm18");
        StartRound();
        TFiscalParamsForm& form = extended ? static_cast<TFiscalParamsForm&>(*Form37) : *Form18;
        EXPECT_EQ(ReadChangeAndProgram(form, {true}, Leave::Button), kKindsShown);
        EXPECT_EQ(DataOf(0x47), extended ? kExtendedTaxes : kStandardTaxes);
        EXPECT_EQ(Form36->Label3.Caption(), "Ставки налогов - успешно.");
        EXPECT_EQ(sim.State().Fiscal.Taxes[1].Kind, 3);
        if (extended) {
            EXPECT_EQ(Form37->ComboBox8.Text(), "Налог Д");
        }
    }
}

TEST_F(FiscalParamsReturnTest, LeavingTheConfirmationOtherwiseSendsNothingEvenAfterAnEarlierContinue) {
    for (const bool extended : {false, true}) {
        for (const Leave way : {Leave::Button, Leave::CloseBox, Leave::Escape}) {
            SCOPED_TRACE(testing::Message() << (extended ? "TForm37 " : "TForm18 ") << static_cast<int>(way));
            TFiscalParamsForm& form = extended ? static_cast<TFiscalParamsForm&>(*Form37) : *Form18;
            StartRound();
            EXPECT_EQ(ReadChangeAndProgram(form, {false}, way), kKindsShown);
            EXPECT_TRUE(DataOf(0x47).empty());
            EXPECT_EQ(host.ModalShown(), (Texts{form.ClassName(), "TForm22"})); // no result window

            StartRound();
            EXPECT_EQ(ReadChangeAndProgram(form, {true, false}, way), kKindsShown);
            EXPECT_EQ(DataOf(0x47), extended ? kExtendedTaxes : kStandardTaxes); // the first time only
            EXPECT_EQ(host.ModalShown(), (Texts{form.ClassName(), "TForm22", "TForm36", "TForm22"}));
        }
    }
}

// ---- Report windows after the status viewer ----------------------------------------------------

struct ReportCase {
    const char* window;
    std::function<void()> type;   // what the technician types
    std::function<void()> report; // the report button
    std::function<void()> status; // "Состояние регистратора"
    std::function<void()> leave;  // the window's own close button
    int code;                     // the report command
    std::string data;             // its data, as typed
};

TEST_F(ReturnToWindowTest, EachReportWindowReportsWhatWasTypedAfterTheStatusViewer) {
    const ReportCase cases[] = {
        {"TForm23", [] { Form23->Edit1.SetText("736204"); }, [] { Form23->Button2.Click(); },
         [] { Form23->Button4.Click(); }, [] { Form23->Button1.Click(); }, 0xA1, "736204;1;"},
        {"TForm25",
         [] {
             Form25->DateEdit1.SetText("06.10.08");
             Form25->DateEdit2.SetText("31.12.08");
             Form25->RadioGroup2.SetItemIndex(1);
         },
         [] { Form25->Button2.Click(); }, [] { Form25->Button3.Click(); }, [] { Form25->Button1.Click(); },
         0xA2, "736204;061008;311208;1;"},
        {"TForm24",
         [] {
             Form24->Edit2.SetText("5");
             Form24->Edit4.SetText("12345");
         },
         [] { Form24->Button2.Click(); }, [] { Form24->Button4.Click(); }, [] { Form24->Button1.Click(); },
         0xA4, "736204;5;12345;"},
        {"TForm31", [] { Form31->ComboBox1.SetItemIndex(2); }, [] { Form31->Button2.Click(); },
         [] { Form31->Button4.Click(); }, [] { Form31->Button1.Click(); }, 0xA6, "736204;2;;;"},
    };
    for (const ReportCase& c : cases) {
        for (const Leave way : {Leave::Button, Leave::CloseBox}) {
            SCOPED_TRACE(testing::Message() << c.window << " " << static_cast<int>(way));
            sim.ClearFrames();
            host.Clear();
            host.OnModal(c.window, [&](TForm&) {
                c.type();
                c.report();
                host.OnModal("TForm5", LeaveStatusViewer(way));
                c.status();
                c.report();
                c.leave();
            });
            TForm* window = nullptr;
            for (TForm* form : {static_cast<TForm*>(Form23), static_cast<TForm*>(Form25),
                                static_cast<TForm*>(Form24), static_cast<TForm*>(Form31)})
                if (form->ClassName() == c.window) window = form;
            ASSERT_NE(window, nullptr);
            window->ShowModal();
            EXPECT_EQ(host.ModalShown(), (Texts{c.window, "TForm5"}));
            EXPECT_EQ(DataOf(c.code), (Texts{c.data, c.data}));
            EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
        }
    }
}

// A window shown anew starts from its defaults again.
TEST_F(ReturnToWindowTest, AReportWindowShownAgainStartsFromItsDefaults) {
    const std::string today = FormatDateTime("dd.mm.yy", Date());
    std::vector<std::string> shown;
    host.OnModal("TForm25", [&](TForm&) {
        shown = {Form25->DateEdit1.Text(), Form25->DateEdit2.Text()};
        Form25->DateEdit1.SetText("06.10.08");
    });
    Form25->ShowModal();
    EXPECT_EQ(shown, (Texts{today, today}));
    host.OnModal("TForm25", [&](TForm&) { shown = {Form25->DateEdit1.Text(), Form25->DateEdit2.Text()}; });
    Form25->ShowModal();
    EXPECT_EQ(shown, (Texts{today, today}));
}

// ---- The receipt window after the status viewer ------------------------------------------------

TEST_F(ReturnToWindowTest, TheReceiptKeepsItsChoicesAfterTheStatusViewer) {
    Form20->Memo1.Lines().Assign(Texts{"101;Хлеб;12.50;1;1;", "102;Молоко;30.00;1;1;"});
    Form20->Label3.SetCaption("goods.art");
    for (const Leave way : {Leave::Button, Leave::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(way));
        sim.ClearFrames();
        sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
        host.Clear();
        host.OnModal("TForm21", [&](TForm&) {
            Form21->Button1.Click(); // open the receipt
            Form21->ListBox1.SetItemIndex(1);
            Form21->ListBox1Click();
            Form21->Edit10.SetText("2");
            Form21->Edit9.SetText("30.00");
            Form21->Button2.Click();
            Form21->ComboBox1.SetItemIndex(2);
            Form21->Edit8.SetText("60.00");
            Form21->ComboBox2.SetItemIndex(3);
            Form21->Edit2.SetText("Дякуємо");
            host.OnModal("TForm5", LeaveStatusViewer(way));
            Form21->Button16.Click();
            EXPECT_EQ(Form21->ListBox1.ItemIndex(), 1);
            EXPECT_EQ(Form21->Edit3.Text(), "102;Молоко;30.00;1;1;");
            Form21->Button18.Click();
            Form21->Button8.Click();
            Form21->Button9.Click();
            Form21->Button11.Click();
        });
        Form21->ShowModal();
        EXPECT_EQ(host.ModalShown(), (Texts{"TForm21", "TForm5"}));
        EXPECT_EQ(DataOf(0x81), (Texts{"736204;3;0;Дякуємо;"}));
        EXPECT_EQ(DataOf(0x67), (Texts{"736204;2;60.00;"}));
        EXPECT_EQ(DataOf(0x65), (Texts{"736204;1;"}));
        EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    }
}

} // namespace
