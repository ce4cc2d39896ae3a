// Check-mark list boxes: toggling rules, radio mode, disabled items, and states stored and restored.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <cstdlib>

#include "controls/tests/temp_folder.h"
#include "kit/check_list_box.h"
#include "platform/forms/tests/fixture.h"

namespace {

class CheckListBoxTest : public FormsTest {
protected:
    CheckListBoxTest() { Box.Items().Assign(std::vector<std::string>{"Чек", "Отчёт", "Лента"}); }
    void Key(const QString& text, int key = Qt::Key_unknown) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(Box.Widget(), &press);
    }
    std::vector<TCheckBoxState> States() const {
        std::vector<TCheckBoxState> states;
        for (int i = 0; i < Box.Items().Count(); ++i)
            states.push_back(Box.State(i));
        return states;
    }
    TKxCheckListBox Box;
};

TEST_F(CheckListBoxTest, ToggleCyclesByKindAndGrayedSwitch) {
    struct Case {
        TCheckKind kind;
        bool allowGrayed;
        std::vector<TCheckBoxState> cycle;
    } cases[] = {
        {ckCheckBoxes, true, {cbGrayed, cbChecked, cbUnchecked}},
        {ckCheckMarks, true, {cbGrayed, cbChecked, cbUnchecked}},
        {ckCheckBoxes, false, {cbChecked, cbUnchecked, cbChecked}},
    };
    for (const Case& c : cases) {
        Box.SetCheckKind(c.kind);
        Box.SetAllowGrayed(c.allowGrayed);
        Box.SetState(0, cbUnchecked);
        int clicks = 0;
        Box.OnClickCheck = [&] { ++clicks; };
        for (TCheckBoxState expected : c.cycle) {
            Box.ToggleClickCheck(0);
            EXPECT_EQ(Box.State(0), expected) << c.kind << c.allowGrayed;
        }
        EXPECT_EQ(clicks, 3);
    }
}

TEST_F(CheckListBoxTest, RadioModeKeepsExactlyTheCheckedItem) {
    Box.SetCheckKind(ckRadioButtons);
    Box.SetAllowGrayed(true);
    Box.SetChecked(0, true);
    Box.SetChecked(2, true);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked, cbChecked}));
    Box.SetChecked(2, false);
    EXPECT_TRUE(Box.Checked(2)) << "unchecking the checked item is refused";
    Key("+");
    Key("-");
    EXPECT_EQ(Box.CheckedIndex(), 2);
    Box.ToggleClickCheck(1);
    EXPECT_EQ(Box.CheckedIndex(), 1) << "no grayed state in radio mode";
    Box.SetCheckedIndex(-5);
    EXPECT_EQ(Box.CheckedIndex(), 0);
}

TEST_F(CheckListBoxTest, DisabledItemsKeepTheirStateAndBadIndexesRaise) {
    Box.SetItemEnabled(1, false);
    Box.SetItemIndex(1);
    Key(" ", Qt::Key_Space);
    Key("+");
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked}));
    Box.SetChecked(1, true);
    Key("-");
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbUnchecked}));
    int changes = 0;
    Box.OnStateChange = [&](TKxCheckListBox&, int) { ++changes; };
    Box.SetItemIndex(0);
    Key(" ", Qt::Key_Space);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(Box.State(3), EStringListError);
    EXPECT_THROW(Box.SetChecked(-1, true), EStringListError);
    Box.ToggleClickCheck(7); // nothing
}

TEST_F(CheckListBoxTest, StatesStoredAndRestoredInAFile) {
    TempFolder dir;
    TIniFile ini(dir / "states.ini");
    Box.SetName("Checks");
    Box.SetAllowGrayed(true);
    Box.SetState(0, cbGrayed);
    Box.SetState(2, cbChecked);
    Box.SaveStates(&ini);
    EXPECT_EQ(ini.ReadInteger("Checks", "Count", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Checks", "Item0", -1), 2);

    ini.WriteInteger("Checks", "Count", 5);
    for (int i = 0; i < 5; ++i)
        ini.WriteInteger("Checks", "Item" + std::to_string(i), 1);
    Box.RestoreStates(&ini);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbChecked, cbChecked, cbChecked}));
    ini.WriteInteger("Checks", "Count", 0);
    ini.WriteInteger("Checks", "Item0", 0);
    Box.RestoreStates(&ini);
    EXPECT_TRUE(Box.Checked(0)) << "a count of 0 changes nothing";
}

TEST_F(CheckListBoxTest, ARadioListRestoresTheStoredChoiceAfterTheCheckedItem) {
    TempFolder dir;
    TIniFile ini(dir / "states.ini");
    Box.SetName("Choice");
    Box.SetCheckKind(ckRadioButtons);
    Box.SetChecked(2, true);
    Box.SaveStates(&ini);
    Box.SetChecked(0, true);
    Box.RestoreStates(&ini);
    EXPECT_EQ(States(), (std::vector<TCheckBoxState>{cbUnchecked, cbUnchecked, cbChecked}));
    for (int i = 0; i < 3; ++i)
        ini.WriteInteger("Choice", "Item" + std::to_string(i), 0);
    Box.RestoreStates(&ini);
    EXPECT_EQ(Box.CheckedIndex(), 2) << "no stored choice keeps the checked item";
}

TEST_F(CheckListBoxTest, TabStopsItemRectsHeightsAndWholeItems) {
    TKxCustomListBox box;
    box.Items().Assign(std::vector<std::string>{"a\tb", "c"});
    auto& list = *static_cast<QListWidget*>(box.Widget());
    box.Widget()->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    box.SetTabWidth(120); // a stop every 30 widths of "0": wider than the box
    QCoreApplication::processEvents();
    EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);

    const int natural = box.ItemRect(0).height();
    box.SetItemHeight(40);
    EXPECT_EQ(box.ItemRect(0).height(), 40);
    EXPECT_EQ(box.ItemRect(1).top(), box.ItemRect(0).bottom() + 1);
    EXPECT_EQ(box.ItemRect(2).top(), box.ItemRect(1).bottom() + 1) << "the count: the place after the last";
    EXPECT_TRUE(box.ItemRect(3).isEmpty());
    EXPECT_TRUE(box.ItemRect(-1).isEmpty());
    box.SetItemHeight(1);
    const int text = box.ItemRect(0).height();
    EXPECT_GE(text, QFontMetrics(list.font()).height()) << "never lower than the text";
    EXPECT_EQ(natural, std::max(16, text)) << "16 at least by default";

    box.SetItemHeight(20);
    box.SetIntegralHeight(true);
    for (int height : {97, 63, 200}) {
        box.Widget()->resize(121, height);
        EXPECT_EQ((box.Height() - 2 * list.frameWidth()) % 20, 0) << height;
        EXPECT_LE(box.Height(), height);
    }
    box.Widget()->hide();
}

TEST_F(CheckListBoxTest, AutomaticDraggingStartsOnAPressAndMoveAndKeepsAMultipleSelection) {
    TKxCustomListBox box;
    box.Items().Assign(std::vector<std::string>{"Чек", "Отчёт", "Лента"});
    box.SetMultiSelect(true);
    box.SetSelected(0, true);
    box.SetSelected(2, true);
    std::vector<std::string> events;
    box.OnStartDrag = [&] { events.push_back(box.Dragging() ? "start dragging" : "start"); };
    box.OnEndDrag = [&](bool dropped) { events.push_back(dropped ? "dropped" : "cancelled"); };
    box.Widget()->show();
    QWidget* viewport = static_cast<QListWidget*>(box.Widget())->viewport();
    const auto drag = [&] {
        const QPoint at = box.ItemRect(0).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &press);
        for (int step = 1; step <= 3; ++step) {
            const QPoint to = at + QPoint(0, step * 20);
            QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &release);
    };
    drag();
    EXPECT_TRUE(events.empty()) << "no dragging by hand";
    box.SetSelected(0, true);
    box.SetSelected(2, true);
    box.SetDragMode(dmAutomatic);
    drag();
    EXPECT_EQ(events, (std::vector<std::string>{"start dragging", "cancelled"}));
    EXPECT_FALSE(box.Dragging());
    EXPECT_TRUE(box.Selected(0));
    EXPECT_TRUE(box.Selected(2)) << "the selection dragged stays";
    box.Widget()->hide();
}

class TChecksForm : public TForm {
public:
    TChecksForm() {
        CheckList1.SetName("CheckList1");
        CheckList1.Items().Assign(std::vector<std::string>{"X", "Z", "Лента"});
        Column(*this).Add(CheckList1);
        CheckList1.SetIniStorage(&FormPlacement1);
        FormPlacement1.Loaded();
    }
    TKxCheckListBox CheckList1;
    TFormPlacement FormPlacement1{*this};
};

TEST_F(CheckListBoxTest, StatesTravelWithTheFormPlacement) {
    TempFolder dir;
    {
        TChecksForm form;
        form.FormPlacement1.SetIniFileName(dir / "form.ini");
        form.Show();
        form.CheckList1.SetChecked(1, true);
        form.Close();
    }
    TIniFile ini(dir / "form.ini");
    EXPECT_EQ(ini.ReadInteger("TChecksForm\\TChecksFormCheckList1", "Item1", -1), 1);
    TChecksForm form;
    form.FormPlacement1.SetIniFileName(dir / "form.ini");
    form.Show();
    EXPECT_TRUE(form.CheckList1.Checked(1));
    EXPECT_FALSE(form.CheckList1.Checked(0));
    form.Hide();
}

TEST_F(CheckListBoxTest, PictureOfTheThreeLooks) {
    for (TCheckKind kind : {ckCheckBoxes, ckRadioButtons, ckCheckMarks}) {
        TKxCheckListBox box;
        box.Items().Assign(std::vector<std::string>{"Выключено", "Включено", "Неопределено"});
        box.SetAllowGrayed(true);
        box.SetCheckKind(kind);
        box.SetChecked(1, true);
        if (kind != ckRadioButtons) box.SetState(2, cbGrayed);
        box.SetItemEnabled(0, false);
        box.Widget()->resize(160, 70);
        const std::string path =
            std::string(::testing::TempDir()) + "/check_list_" + std::to_string(kind) + ".png";
        ASSERT_TRUE(GrabToPng(*box.Widget(), path));
    }
}

} // namespace
