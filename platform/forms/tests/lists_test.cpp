// Items and lines of list controls, and the grid's cells.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <time.h>

#include "platform/forms/tests/fixture.h"

namespace {

class ListsTest : public FormsTest {};

TEST_F(ListsTest, EveryListRaisesTheLibrarysErrorForABadIndex) {
    TComboBox combo;
    TListBox list;
    TMemo memo;
    TRadioGroup group;
    TStringList plain;
    for (TStrings* items :
         {&combo.Items(), &list.Items(), &memo.Lines(), &group.Items(), static_cast<TStrings*>(&plain)}) {
        items->AddStrings({"a", "b"});
        try {
            items->Strings(5);
            ADD_FAILURE() << "no error";
        } catch (const EStringListError& error) {
            EXPECT_STREQ(error.what(), "List index out of bounds (5)");
        }
        EXPECT_THROW(items->Delete(-1), EStringListError);
        EXPECT_THROW(items->Insert(3, "x"), EStringListError);
        items->Insert(2, "c");
        items->Put(0, "А");
        items->Delete(1);
        EXPECT_EQ(items->ToVector(), (std::vector<std::string>{"А", "c"}));
        EXPECT_EQ(items->IndexOf("c"), 1);
        EXPECT_EQ(items->IndexOf("C"), -1);
        EXPECT_EQ(items->Text(), "А\nc\n");
    }
}

TEST_F(ListsTest, FillingAComboBoxSelectsNothingAndKeepsItsText) {
    TComboBox ComboBox1;
    ComboBox1.SetText("ttyS0");
    ComboBox1.Items().AddStrings({"ttyS0", "ttyUSB0"});
    EXPECT_EQ(ComboBox1.ItemIndex(), -1);
    EXPECT_EQ(ComboBox1.Text(), "ttyS0");
    ComboBox1.SetItemIndex(1);
    EXPECT_EQ(ComboBox1.Text(), "ttyUSB0");
    ComboBox1.SetItemIndex(-1);
    EXPECT_EQ(ComboBox1.Text(), "");
    ComboBox1.SetItemIndex(7); // out of range selects nothing
    EXPECT_EQ(ComboBox1.ItemIndex(), -1);
}

TEST_F(ListsTest, DropDownListTextSelectsTheItemOfThatText) {
    TComboBox ComboBox1;
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().AddStrings({"42", "44"});
    EXPECT_EQ(ComboBox1.Text(), "");
    ComboBox1.SetText("44");
    EXPECT_EQ(ComboBox1.ItemIndex(), 1);
    ComboBox1.SetText("48");
    EXPECT_EQ(ComboBox1.ItemIndex(), -1);
    EXPECT_EQ(ComboBox1.Text(), "");
}

TEST_F(ListsTest, MemoLinesIgnoreAFinalLineBreak) {
    TMemo Memo1;
    Memo1.SetText("PC: 1\nFP: 2\n");
    EXPECT_EQ(Memo1.Lines().Count(), 2);
    Memo1.Lines().Add("Комментарий:: x!!!");
    EXPECT_EQ(Memo1.Lines().ToVector(), (std::vector<std::string>{"PC: 1", "FP: 2", "Комментарий:: x!!!"}));
    Memo1.Lines().SetText("a\r\nb");
    EXPECT_EQ(Memo1.Text(), "a\nb");
    Memo1.Lines().Clear();
    Memo1.Lines().Add("only");
    EXPECT_EQ(Memo1.Text(), "only");
}

TEST_F(ListsTest, MemoKeepsEmptyLinesWhereverTheyAre) {
    TMemo Memo1;
    Memo1.Lines().Add("");
    EXPECT_EQ(Memo1.Lines().ToVector(), (std::vector<std::string>{""}));
    Memo1.Lines().AddStrings({"a", "", ""});
    EXPECT_EQ(Memo1.Lines().ToVector(), (std::vector<std::string>{"", "a", "", ""}));
    Memo1.Lines().Add("b");
    Memo1.Lines().Put(4, "");
    Memo1.Lines().Delete(0);
    EXPECT_EQ(Memo1.Lines().ToVector(), (std::vector<std::string>{"a", "", "", ""}));
}

TEST_F(ListsTest, MemoCollectsALongLogWithoutSlowingDown) {
    TMemo Memo1;
    // The last thousand lines take about as long as the first thousand: adding a line does not grow
    // with the lines already there. Compared within the run, so a slow machine does not matter, and in
    // this thread's processor time, so a busy one, which only holds the thread back, does not either.
    const auto cpuMs = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    };
    const auto add = [&Memo1, &cpuMs](int from, int to) {
        const int64_t start = cpuMs();
        for (int i = from; i < to; ++i)
            Memo1.Lines().Add("PC: (21)736204;" + std::to_string(i));
        return cpuMs() - start;
    };
    const int64_t first = add(0, 1000);
    add(1000, 3000);
    const int64_t last = add(3000, 4000);
    EXPECT_LT(last, 3 * first + 100);
    EXPECT_EQ(Memo1.Lines().Count(), 4000);
    EXPECT_EQ(Memo1.Lines()[3999], "PC: (21)736204;3999");
}

TEST_F(ListsTest, GridKeepsCellsOutsideItsSizeAndShowsThemWhenItGrows) {
    TStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetCell(1, 5, "не записывать");
    EXPECT_EQ(grid.Cell(1, 5), "не записывать");
    EXPECT_EQ(grid.Cell(2, 9), "");
    grid.SetRowCount(11);
    auto* table = static_cast<QTableWidget*>(grid.Widget());
    EXPECT_EQ(table->item(5, 1)->text(), QString::fromUtf8("не записывать"));
    grid.SetDefaultRowHeight(16); // too low for the font: the text must still fit
    EXPECT_EQ(grid.DefaultRowHeight(), 16);
    EXPECT_GT(table->rowHeight(1), table->fontMetrics().height());
    grid.SetColWidth(1, 200);
    EXPECT_EQ(grid.ColWidth(1), 200);
    EXPECT_EQ(grid.ColWidth(2), 64);
}

TEST_F(ListsTest, GridSelectionCanBeRefusedAndNeverLandsOnAFixedCell) {
    TStringGrid grid;
    auto* table = static_cast<QTableWidget*>(grid.Widget());
    std::vector<std::pair<int, int>> asked;
    grid.OnSelectCell = [&](int col, int row, bool& canSelect) {
        asked.emplace_back(col, row);
        canSelect = row != 3;
    };
    table->setCurrentCell(2, 2); // as the user clicks: row 2, column 2
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    table->setCurrentCell(3, 1); // refused
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(table->currentRow(), 2);
    table->setCurrentCell(0, 0); // fixed
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 2}, {1, 3}}));
    grid.SetRow(4);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(asked.size(), 2u); // set here: not asked
}

TEST_F(ListsTest, StatusBarShowsSimpleTextOrPanels) {
    TStatusBar bar;
    bar.SetSimpleText("   Модель:");
    EXPECT_EQ(bar.SimpleText(), "   Модель:");
    const int panel = bar.AddPanel(120, "COM");
    bar.SetPanelText(panel, "ttyACM0");
    EXPECT_EQ(bar.PanelText(0), "ttyACM0");
    EXPECT_THROW(bar.PanelText(1), EStringListError);
}

TEST_F(ListsTest, LastStatusPanelReachesTheEndOfTheBar) {
    TForm form;
    TStatusBar StatusBar1;
    TEdit wide;
    Column(form).Add(wide);
    form.SetStatusBar(StatusBar1);
    wide.SetWidth(400);
    StatusBar1.AddPanel(50, "первая");
    StatusBar1.AddPanel(50, "   Формат поля команды:  пароль;дата;время");
    form.Show();
    auto panel = [&](int index) {
        for (const QLabel* label : StatusBar1.Widget()->findChildren<QLabel*>())
            if (FromQ(label->text()) == StatusBar1.PanelText(index)) return label;
        return static_cast<const QLabel*>(nullptr);
    };
    const QLabel* first = panel(0);
    const QLabel* last = panel(1);
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->width(), 50);
    EXPECT_GT(last->width(), 250);
    EXPECT_EQ(StatusBar1.PanelWidth(1), 50);
    form.Close();
}

TEST_F(ListsTest, GaugeKeepsProgressInItsRange) {
    TGauge gauge;
    gauge.SetProgress(150);
    EXPECT_EQ(gauge.Progress(), 100);
    gauge.SetMaxValue(200);
    gauge.SetProgress(50);
    EXPECT_EQ(gauge.PercentDone(), 25);
    gauge.SetMinValue(60);
    EXPECT_EQ(gauge.Progress(), 60);
    EXPECT_EQ(gauge.PercentDone(), 0);
}

} // namespace

namespace {

TEST_F(ListsTest, ImageLoadsABitmapAndRefusesOtherFiles) {
    const auto folder = std::filesystem::temp_directory_path();
    const std::string bitmap = (folder / "kaltor_logo_test.bmp").string();
    const std::string text = (folder / "kaltor_logo_test.txt").string();
    QImage picture(64, 16, QImage::Format_Mono);
    picture.fill(1);
    ASSERT_TRUE(picture.save(QString::fromStdString(bitmap), "BMP"));
    std::ofstream(text) << "not a picture";

    TImage Image1;
    Image1.LoadFromFile(bitmap);
    EXPECT_EQ(Image1.PictureWidth(), 64);
    EXPECT_EQ(Image1.PictureHeight(), 16);
    EXPECT_THROW(Image1.LoadFromFile(text), EInvalidGraphic);
    EXPECT_FALSE(Image1.Empty()); // the old picture stays
}

} // namespace

namespace {

// The header dialog's way: a click on an attribute cell is refused and changes the cell instead.
TEST_F(ListsTest, RefusedCellIsNeverSelectedByMouseOrKeys) {
    TForm form;
    TStringGrid grid;
    Column(form).Add(grid);
    grid.SetColCount(3);
    grid.SetCell(2, 1, "не записывать");
    grid.OnSelectCell = [&](int col, int row, bool& canSelect) {
        if (col != 2) return;
        canSelect = false;
        grid.SetCell(col, row, grid.Cell(col, row) == "не записывать" ? "одинарная ширина" : "не записывать");
    };
    form.Show();
    auto* table = static_cast<QTableWidget*>(grid.Widget());
    const QPoint cell = table->visualRect(table->model()->index(1, 2)).center();
    QMouseEvent press(QEvent::MouseButtonPress, cell, table->viewport()->mapToGlobal(cell), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table->viewport(), &press);
    EXPECT_EQ(grid.Cell(2, 1), "одинарная ширина");
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_TRUE(table->selectedItems().isEmpty() || table->selectedItems().front()->column() != 2);

    table->setFocus();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(table, &right);
    EXPECT_EQ(grid.Cell(2, 1), "не записывать");
    EXPECT_EQ(grid.Col(), 1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(table, &down);
    EXPECT_EQ(grid.Row(), 2);
    form.Hide();
}

} // namespace
