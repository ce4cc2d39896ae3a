#include <QApplication>
#include <functional>

#include "controls/calendar.h"
#include "controls/select_date.h"
#include "controls/tests/fixture.h"
#include "platform/clock/clock.h"

namespace {

// Every case runs on 7 December 2026.
class CalendarTest : public ControlsTest {
public:
    CalendarTest() {
        SetLocalClock([] { return LocalDateTime{2026, 12, 7, 10, 0, 0, 0}; });
    }
    ~CalendarTest() override { SetLocalClock({}); }
};

TEST_F(CalendarTest, TheFirstDayLandsInTheColumnOfItsWeekday) {
    const struct {
        TDayOfWeekName startOfWeek;
        int year, month;
        int col;
        const char* firstColumnName;
    } cases[] = {
        {Mon, 2008, 6, 6, "Пн"}, // 1 June 2008 was a Sunday: the last column
        {Mon, 2008, 9, 0, "Пн"}, // 1 September 2008 was a Monday: the first column
        {Sun, 2008, 6, 0, "Вс"},
        {Sun, 2008, 10, 3, "Вс"}, // a Wednesday
    };
    for (const auto& c : cases) {
        TKxCalendar calendar;
        calendar.SetStartOfWeek(c.startOfWeek);
        calendar.SetCalendarDate(EncodeDate(c.year, c.month, 1));
        EXPECT_EQ(calendar.DayOfCell(c.col, 1), 1) << c.year << "-" << c.month;
        EXPECT_EQ(calendar.Col(), c.col);
        EXPECT_EQ(calendar.Row(), 1);
        EXPECT_EQ(calendar.CellText(0, 0), c.firstColumnName);
        EXPECT_EQ(calendar.CellText(c.col == 0 ? 6 : 0, 1), c.col == 0 ? "7" : "");
    }
}

TEST_F(CalendarTest, NavigationKeepsTheDayWithinTheMonth) {
    const struct {
        TDateTime start;
        std::function<void(TKxCalendar&)> step;
        TDateTime result;
    } cases[] = {
        {EncodeDate(2008, 1, 31), [](TKxCalendar& c) { c.NextMonth(); }, EncodeDate(2008, 2, 29)},
        {EncodeDate(2009, 1, 31), [](TKxCalendar& c) { c.NextMonth(); }, EncodeDate(2009, 2, 28)},
        {EncodeDate(2008, 3, 31), [](TKxCalendar& c) { c.PrevMonth(); }, EncodeDate(2008, 2, 29)},
        {EncodeDate(2008, 1, 15), [](TKxCalendar& c) { c.PrevMonth(); }, EncodeDate(2007, 12, 15)},
        {EncodeDate(2008, 2, 29), [](TKxCalendar& c) { c.NextYear(); }, EncodeDate(2009, 2, 28)},
        {EncodeDate(2008, 2, 29), [](TKxCalendar& c) { c.PrevYear(); }, EncodeDate(2007, 2, 28)},
        {EncodeDate(2008, 10, 1),
         [](TKxCalendar& c) {
             WORD k = VK_LEFT;
             c.KeyDown(k, 0);
         },
         EncodeDate(2008, 9, 30)},
        {EncodeDate(2008, 12, 31),
         [](TKxCalendar& c) {
             WORD k = VK_RIGHT;
             c.KeyDown(k, 0);
         },
         EncodeDate(2009, 1, 1)},
        {EncodeDate(2009, 1, 1),
         [](TKxCalendar& c) {
             WORD k = VK_SUBTRACT;
             c.KeyDown(k, 0);
         },
         EncodeDate(2008, 12, 31)},
        {EncodeDate(2008, 10, 6),
         [](TKxCalendar& c) {
             WORD k = VK_DOWN;
             c.KeyDown(k, 0);
         },
         EncodeDate(2008, 10, 13)},
        {EncodeDate(2008, 10, 28),
         [](TKxCalendar& c) {
             WORD k = VK_DOWN;
             c.KeyDown(k, 0);
         },
         EncodeDate(2008, 10, 28)},
        {EncodeDate(2008, 10, 6),
         [](TKxCalendar& c) {
             WORD k = VK_LEFT;
             c.KeyDown(k, ssShift);
         },
         EncodeDate(2008, 10, 6)},
        {EncodeDate(2008, 10, 6),
         [](TKxCalendar& c) {
             char32_t t = U't';
             c.KeyPress(t);
         },
         EncodeDate(2026, 12, 7)},
        {EncodeDate(1, 1, 1), [](TKxCalendar& c) { c.PrevYear(); }, EncodeDate(1, 1, 1)},
        {EncodeDate(9999, 12, 31), [](TKxCalendar& c) { c.NextMonth(); }, EncodeDate(9999, 12, 31)},
    };
    for (const auto& c : cases) {
        TKxCalendar calendar;
        calendar.SetCalendarDate(c.start);
        c.step(calendar);
        EXPECT_EQ(calendar.CalendarDate(), c.result) << DateToStr(c.start);
    }
}

TEST_F(CalendarTest, PartsOutsideTheCalendarAreIgnored) {
    TKxCalendar calendar;
    calendar.SetCalendarDate(EncodeDate(2008, 3, 31));
    int changes = 0;
    calendar.OnChange = [&] { ++changes; };
    calendar.SetDay(0);
    calendar.SetDay(32);
    calendar.SetMonth(13);
    calendar.SetMonth(0);
    calendar.SetYear(0);
    calendar.SetDay(31);
    EXPECT_EQ(changes, 0);
    calendar.SetMonth(2); // the day is clipped to February's length
    EXPECT_EQ(calendar.CalendarDate(), EncodeDate(2008, 2, 29));
    EXPECT_FALSE(calendar.UseCurrentDate());
    calendar.SetUseCurrentDate(true);
    EXPECT_EQ(calendar.CalendarDate(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(changes, 2);
}

TEST_F(CalendarTest, OnlyCellsWithADayCanBeChosenAndNotWhenReadOnly) {
    TForm form;
    TKxCalendar calendar;
    Column(form).Add(calendar);
    calendar.SetWidth(210);
    calendar.SetHeight(140);
    form.Show();
    calendar.SetCalendarDate(EncodeDate(2008, 10, 6)); // begins on a Wednesday
    auto centre = [&](int col, int row) {
        const TRect r = calendar.CellRect(col, row);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    ClickAt(calendar.Widget(), centre(0, 1)); // empty cell before the 1st
    EXPECT_EQ(calendar.Day(), 6);
    ClickAt(calendar.Widget(), centre(0, 0)); // the day names
    EXPECT_EQ(calendar.Day(), 6);
    ClickAt(calendar.Widget(), centre(4, 2));
    EXPECT_EQ(calendar.Day(), 10);
    calendar.SetReadOnly(true);
    ClickAt(calendar.Widget(), centre(5, 2));
    EXPECT_EQ(calendar.Day(), 10);
    form.Hide();
}

class SelectDateTest : public CalendarTest {};

TEST_F(SelectDateTest, TheDialogsKeysMoveTheMonthAndCloseIt) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        TDateTime date; // NullDate: cancelled
    } cases[] = {
        {Qt::Key_Tab, Qt::NoModifier, EncodeDate(2008, 11, 6)},
        {Qt::Key_Backtab, Qt::ShiftModifier, EncodeDate(2008, 9, 6)},
        {Qt::Key_PageUp, Qt::NoModifier, EncodeDate(2008, 9, 6)},
        {Qt::Key_PageDown, Qt::ControlModifier, EncodeDate(2009, 10, 6)},
        {Qt::Key_Escape, Qt::NoModifier, NullDate},
    };
    for (const auto& c : cases) {
        host.OnModal("TSelectDateDlg", [&](TForm& form) {
            auto& dialog = static_cast<TSelectDateDlg&>(form);
            PressKey(dialog.Calendar.Widget(), c.key, c.modifiers);
            if (form.ModalResult() == mrNone) PressKey(dialog.Calendar.Widget(), Qt::Key_Return);
        });
        TDateTime date = EncodeDate(2008, 10, 6);
        const bool chosen = SelectDate(date, "Выбор даты", Mon, DaySet(Sun), clRed, nullptr);
        EXPECT_EQ(chosen, c.date != NullDate) << c.key;
        EXPECT_EQ(date, chosen ? c.date : EncodeDate(2008, 10, 6)) << c.key;
    }
}

TEST_F(SelectDateTest, DateTextsStartAtTodayOrTheirDate) {
    host.OnModal("TSelectDateDlg", [](TForm& form) {
        EXPECT_EQ(static_cast<TSelectDateDlg&>(form).Date(), EncodeDate(2026, 12, 7));
        form.SetModalResult(mrOk);
    });
    std::string text;
    EXPECT_TRUE(SelectDateStr(text, "Дата", Mon, DaySet(Sun), clRed, nullptr));
    EXPECT_EQ(text, "07.12.2026");
    text = "31.02.2008";
    EXPECT_THROW(SelectDateStr(text, "Дата", Mon, DaySet(Sun), clRed, nullptr), EConvertError);
    EXPECT_EQ(host.ModalShown().size(), 1u); // the second never opened
}

TEST_F(SelectDateTest, TheDialogIsDrawnWithTheMonthTitle) {
    TSelectDateDlg dialog;
    dialog.SetDate(EncodeDate(2008, 10, 6));
    ASSERT_TRUE(GrabToPng(dialog, "select_date.png"));
    EXPECT_EQ(dialog.TitleLabel.Caption(), "Октябрь, 2008");
}

TEST_F(SelectDateTest, PopupDateOpensUnderItsControl) {
    TForm form;
    TEdit edit;
    Column(form).Add(edit);
    form.SetLeft(200);
    form.SetTop(150);
    form.Show();
    host.OnModal("TSelectDateDlg", [&](TForm& dialog) {
        const QPoint corner = edit.Widget()->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(dialog.Top(), corner.y() + edit.Height());
        EXPECT_EQ(dialog.BorderIcons(), 0u);
        dialog.SetModalResult(mrOk);
    });
    TDateTime date = NullDate;
    EXPECT_TRUE(PopupDate(date, edit));
    EXPECT_EQ(date, EncodeDate(2026, 12, 7));
    form.Hide();
}

} // namespace
