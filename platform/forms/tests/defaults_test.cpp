// Every control starts with the library's defaults.
#include "platform/clock/clock.h"
#include "platform/forms/tests/fixture.h"

namespace {

class DefaultsTest : public FormsTest {};

TEST_F(DefaultsTest, TextControlsStartEmpty) {
    TEdit edit;
    TMaskEdit maskEdit;
    TMemo memo;
    TLabel label;
    TButton button;
    TComboBox combo;
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(edit.MaxLength(), 0);
    EXPECT_FALSE(edit.ReadOnly());
    EXPECT_EQ(edit.PasswordChar(), 0);
    EXPECT_EQ(maskEdit.Text(), "");
    EXPECT_EQ(memo.Lines().Count(), 0);
    EXPECT_EQ(memo.ScrollBars(), ssNone);
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_EQ(label.Caption(), "");
    EXPECT_EQ(button.ModalResult(), mrNone);
    EXPECT_FALSE(button.Default());
    EXPECT_FALSE(button.Cancel());
    EXPECT_EQ(combo.Style(), csDropDown);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    for (const TControl* control :
         std::initializer_list<const TControl*>{&edit, &memo, &label, &button, &combo}) {
        EXPECT_TRUE(control->Enabled());
        EXPECT_TRUE(control->Visible());
        EXPECT_EQ(control->Hint(), "");
    }
}

TEST_F(DefaultsTest, ChoiceControlsStartWithNothingChosen) {
    TListBox list;
    TRadioGroup radioGroup;
    TCheckBox check;
    TRadioButton radio;
    TDateTimePicker picker;
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(radioGroup.ItemIndex(), -1);
    EXPECT_EQ(radioGroup.Columns(), 1);
    EXPECT_FALSE(check.Checked());
    EXPECT_FALSE(radio.Checked());
    EXPECT_EQ(picker.Date(), Date());
}

TEST_F(DefaultsTest, DatePickerStartsAtTodayOfTheProgramsClock) {
    SetLocalClock([] { return LocalDateTime{2031, 5, 17, 23, 59, 0, 0}; });
    TDateTimePicker picker;
    SetLocalClock({});
    EXPECT_EQ(picker.Date(), EncodeDate(2031, 5, 17));
}

TEST_F(DefaultsTest, IndicatorsGridTimerAndWindow) {
    TShape shape;
    TGauge gauge;
    TProgressBar progress;
    TStringGrid grid;
    TTimer timer;
    TStatusBar status;
    TImage image;
    TForm form;
    TOpenDialog open;
    TMenuItem item;
    EXPECT_EQ(shape.BrushColor(), clWhite);
    EXPECT_EQ(shape.Shape(), stRectangle);
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.ForeColor(), clBlack);
    EXPECT_EQ(progress.Min(), 0);
    EXPECT_EQ(progress.Max(), 100);
    EXPECT_EQ(progress.Position(), 0);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.DefaultColWidth(), 64);
    EXPECT_EQ(grid.DefaultRowHeight(), 24);
    EXPECT_FALSE(grid.Editing());
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(status.SimplePanel());
    EXPECT_EQ(status.PanelCount(), 0);
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(form.BorderStyle(), bsSizeable);
    EXPECT_EQ(form.BorderIcons(), biSystemMenu | biMinimize | biMaximize);
    EXPECT_EQ(form.Position(), poDesigned);
    EXPECT_EQ(form.FormStyle(), fsNormal);
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_FALSE(form.KeyPreview());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(open.FilterIndex(), 1);
    EXPECT_EQ(open.FileName(), "");
    EXPECT_TRUE(item.Enabled());
    EXPECT_TRUE(item.Visible());
}

TEST_F(DefaultsTest, ColoursHaveTheLibrarysValues) {
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(clLime, 0x00FF00);
    EXPECT_EQ(clGreen, 0x008000);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clGreen), QColor(0, 128, 0));
    EXPECT_EQ(ToQColor(clYellow), QColor(255, 255, 0));
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0x8000000F));
    EXPECT_EQ(clWindowFrame, static_cast<TColor>(0x80000006));
    EXPECT_EQ(clBtnHighlight, static_cast<TColor>(0x80000014));
}

} // namespace
