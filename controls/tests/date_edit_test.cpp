#include <QApplication>
#include <QLineEdit>
#include <QScreen>

#include "controls/date_edit.h"
#include "controls/popup_calendar.h"
#include "controls/select_date.h"
#include "controls/tests/fixture.h"
#include "platform/clock/clock.h"

namespace {

class DateWindow : public TForm {
public:
    DateWindow() {
        SetCaption("Дата");
        Column main(*this);
        main.Field("Дата (ДД.ММ.ГГ):", DateEdit1).Field("Пароль:", Edit2);
        main.Buttons({&Button1, &Button2});
        Button1.SetCaption("OK");
        Button1.SetModalResult(mrOk);
        Button2.SetCaption("Отмена");
        Button2.SetCancel(true);
    }
    TDateEdit DateEdit1;
    TEdit Edit2;
    TButton Button1, Button2;
};

// Every case runs on 7 December 2026 at 10:00.
class DateEditTest : public ControlsTest {
public:
    DateEditTest() {
        SetLocalClock([] { return LocalDateTime{2026, 12, 7, 10, 0, 0, 0}; });
    }
    ~DateEditTest() override {
        window.Hide();
        SetLocalClock({});
    }
    void Open(int left = 100, int top = 100) {
        window.SetLeft(left);
        window.SetTop(top);
        window.Show();
        Edit().SetFocus();
        QApplication::processEvents();
    }
    TDateEdit& Edit() { return window.DateEdit1; }
    QWidget* Line() { return Edit().Widget(); }
    TPopupCalendar& Calendar() { return *Edit().Calendar(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        PressKey(Line(), key, modifiers, text);
    }
    DateWindow window;
};

TEST_F(DateEditTest, YearDigitsGiveTheFormatAndTheMask) {
    const struct {
        TYearDigits digits;
        const char* format;
        const char* mask;
        const char* empty;
    } cases[] = {{dyTwo, "DD/MM/YY", "!99/99/99;1; ", "  .  .  "},
                 {dyFour, "DD/MM/YYYY", "!99/99/9999;1; ", "  .  .    "},
                 {dyDefault, "DD/MM/YYYY", "!99/99/9999;1; ", "  .  .    "}};
    for (const auto& c : cases) {
        Edit().SetYearDigits(c.digits);
        EXPECT_EQ(Edit().DateFormat(), c.format);
        EXPECT_EQ(Edit().EditMask(), c.mask);
        EXPECT_EQ(Edit().Text(), c.empty);
    }
}

TEST_F(DateEditTest, TheTextReadsAsADate) {
    const struct {
        TYearDigits digits;
        bool defaultToday;
        const char* text;
        TDateTime date;
    } cases[] = {
        {dyTwo, false, "06.10.08", EncodeDate(2008, 10, 6)},
        {dyTwo, false, "29.02.08", EncodeDate(2008, 2, 29)},
        {dyTwo, false, "29.02.09", NullDate},
        {dyTwo, true, "29.02.09", EncodeDate(2026, 12, 7)},
        {dyTwo, false, "  .  .  ", NullDate},
        {dyTwo, true, "  .  .  ", EncodeDate(2026, 12, 7)},
        {dyFour, false, "31.12.9999", EncodeDate(9999, 12, 31)},
        {dyFour, false, "06.10.2008", EncodeDate(2008, 10, 6)},
        {dyFour, false, "6 .10.2008", EncodeDate(2008, 10, 6)},
        {dyFour, false, "06.10.    ", NullDate},
        {dyTwo, true, "06.10.  ", EncodeDate(2026, 12, 7)},
    };
    for (const auto& c : cases) {
        Edit().SetYearDigits(c.digits);
        Edit().SetDefaultToday(c.defaultToday);
        Edit().SetText(c.text);
        EXPECT_EQ(Edit().Date(), c.date) << c.text;
    }
}

TEST_F(DateEditTest, TypedDigitsFillTheMask) {
    Open();
    Edit().SetYearDigits(dyTwo);
    Edit().SetDate(NullDate);
    Line()->setFocus();
    static_cast<QLineEdit*>(Line())->setCursorPosition(0);
    int changes = 0;
    Edit().OnChange = [&] { ++changes; };
    for (const char* digit : {"0", "6", "1", "0", "0", "8"})
        Key(Qt::Key_0 + (digit[0] - '0'), Qt::NoModifier, digit);
    EXPECT_EQ(Edit().Text(), "06.10.08");
    EXPECT_EQ(Edit().Date(), EncodeDate(2008, 10, 6));
    EXPECT_EQ(changes, 6);
}

TEST_F(DateEditTest, SettingADateWritesTheTextOrEmptiesIt) {
    const struct {
        bool defaultToday;
        TDateTime date;
        const char* text;
    } cases[] = {
        {false, EncodeDate(2008, 10, 6) + 0.75, "06.10.2008"},
        {false, NullDate, "  .  .    "},
        {true, NullDate, "07.12.2026"},
        {false, -1e12, "  .  .    "},
        {true, EncodeDate(9999, 12, 31) + 5, "07.12.2026"},
        {false, EncodeDate(1, 1, 1), "01.01.0001"},
    };
    for (const auto& c : cases) {
        Edit().SetDefaultToday(c.defaultToday);
        Edit().SetDate(c.date);
        EXPECT_EQ(Edit().Text(), c.text);
    }
}

TEST_F(DateEditTest, KeysChangeTheDateWhileTheCalendarIsClosed) {
    const struct {
        const char* start;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
        const char* result;
    } cases[] = {
        {"", Qt::Key_Plus, Qt::KeypadModifier, "+", "08.12.2026"}, // empty: from now
        {"", Qt::Key_Minus, Qt::KeypadModifier, "-", "06.12.2026"},
        {"31.12.2008", Qt::Key_Plus, Qt::KeypadModifier, "+", "01.01.2009"},
        {"01.03.2008", Qt::Key_Minus, Qt::KeypadModifier, "-", "29.02.2008"},
        {"06.10.2008", Qt::Key_Plus, Qt::NoModifier, "+",
         "06.10.2008"}, // the main keyboard's "+" does nothing
        {"06.10.2008", Qt::Key_T, Qt::NoModifier, "t", "07.12.2026"},
        {"06.10.2008", Qt::Key_T, Qt::ShiftModifier, "T", "07.12.2026"},
    };
    Open();
    for (const auto& c : cases) {
        if (*c.start)
            Edit().SetText(c.start);
        else
            Edit().SetDate(NullDate);
        Key(c.key, c.modifiers, c.typed);
        EXPECT_EQ(Edit().Text(), c.result) << c.start << " " << c.typed;
    }
}

TEST_F(DateEditTest, TheCalendarDropsDownAtTheTextsDateAndKeysMoveInIt) {
    const struct {
        const char* start;
        int key;
        Qt::KeyboardModifiers modifiers;
        int closeKey;
        const char* result;
    } cases[] = {
        {"06.10.2008", Qt::Key_Right, Qt::NoModifier, Qt::Key_Return, "07.10.2008"},
        {"01.10.2008", Qt::Key_Left, Qt::NoModifier, Qt::Key_Return, "30.09.2008"},
        {"31.12.2008", Qt::Key_Right, Qt::NoModifier, Qt::Key_Return, "01.01.2009"},
        {"06.10.2008", Qt::Key_Down, Qt::NoModifier, Qt::Key_Return, "13.10.2008"},
        {"31.01.2008", Qt::Key_PageDown, Qt::NoModifier, Qt::Key_Return, "29.02.2008"},
        {"29.02.2008", Qt::Key_PageDown, Qt::ControlModifier, Qt::Key_Return, "28.02.2009"},
        {"06.10.2008", Qt::Key_PageUp, Qt::NoModifier, Qt::Key_Return, "06.09.2008"},
        {"06.10.2008", Qt::Key_Plus, Qt::KeypadModifier, Qt::Key_Return, "07.10.2008"},
        {"06.10.2008", Qt::Key_Right, Qt::NoModifier, Qt::Key_Escape, "06.10.2008"},
        {"  .  .    ", Qt::Key_Right, Qt::NoModifier, Qt::Key_Return, "08.12.2026"}, // empty: today
    };
    Open();
    for (const auto& c : cases) {
        Edit().SetText(c.start);
        Key(Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(Edit().PopupVisible()) << c.start;
        Key(c.key, c.modifiers);
        EXPECT_TRUE(Edit().PopupVisible()) << c.start;
        Key(c.closeKey);
        EXPECT_FALSE(Edit().PopupVisible());
        EXPECT_EQ(Edit().Text(), c.result) << c.start << " " << c.key;
    }
}

TEST_F(DateEditTest, AClickOnADayTakesItAndAClickOutsideDropsTheCalendar) {
    Open();
    Edit().SetText("06.10.2008");
    int changes = 0;
    Edit().OnChange = [&] { ++changes; };
    PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
    TLocCalendar& grid = Calendar().Calendar;
    EXPECT_EQ(Calendar().TitleText(), "Октябрь, 2008");
    // October 2008 begins on a Wednesday: the 15th is in the third column of the third week.
    const TRect cell = grid.CellRect(2, 3);
    EXPECT_EQ(grid.DayOfCell(2, 3), 15);
    const QPoint at((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    ClickAt(grid.Widget(), at);
    EXPECT_FALSE(Edit().PopupVisible());
    EXPECT_EQ(Edit().Text(), "15.10.2008");
    EXPECT_EQ(changes, 1);

    PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
    ClickAt(Calendar().TitleLabel.Widget(), QPoint(2, 2)); // the title is no day: the calendar stays
    EXPECT_TRUE(Edit().PopupVisible());
    Key(Qt::Key_Right);
    ClickAt(window.Button1.Widget(), QPoint(2, 2));
    EXPECT_FALSE(Edit().PopupVisible());
    EXPECT_EQ(Edit().Text(), "15.10.2008");
}

TEST_F(DateEditTest, TheOwnerMayRefuseOrChangeTheChosenDate) {
    Open();
    for (bool accept : {false, true}) {
        Edit().SetText("06.10.2008");
        Edit().OnAcceptDate = [&](TCustomDateEdit&, TDateTime& date, bool& ok) {
            ok = accept;
            date += 10;
        };
        Key(Qt::Key_Down, Qt::AltModifier);
        Key(Qt::Key_Return);
        EXPECT_EQ(Edit().Text(), accept ? "16.10.2008" : "06.10.2008");
    }
}

TEST_F(DateEditTest, LeavingAFieldThatIsNoDateIsReportedAndTheTextStays) {
    Open();
    Edit().SetCheckOnExit(true);
    Edit().SetText("31.02.2008");
    window.Edit2.SetFocus();
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_EQ(host.Texts()[0], "''31.02.2008'' is not a valid date.");
    EXPECT_EQ(Edit().Text(), "31.02.2008");
    host.Clear();
    Edit().SetFocus();
    Edit().SetText("6 .10.2008");
    window.Edit2.SetFocus();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Edit().Text(), "06.10.2008"); // shown again in the format
}

TEST_F(DateEditTest, DialogStyleAsksTheDateDialog) {
    Open();
    Edit().SetCalendarStyle(csDialog);
    EXPECT_EQ(Edit().CalendarStyle(), csDialog);
    Edit().SetText("06.10.2008");
    host.OnModal("TSelectDateDlg", [](TForm& form) {
        auto& dialog = static_cast<TSelectDateDlg&>(form);
        EXPECT_EQ(dialog.Caption(), "Выбор даты");
        EXPECT_EQ(dialog.Date(), EncodeDate(2008, 10, 6));
        dialog.Calendar.NextMonth();
        form.SetModalResult(mrOk);
    });
    PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Edit().Text(), "06.11.2008");
    host.OnModal("TSelectDateDlg", [](TForm& form) { form.SetModalResult(mrCancel); });
    PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Edit().Text(), "06.11.2008");
    Edit().SetCalendarStyle(csPopup);
    EXPECT_EQ(Edit().CalendarStyle(), csPopup);
}

TEST_F(DateEditTest, SettingsAreKeptWithinTheirLimits) {
    TStringList six{"1|", "2|", "", "4|", "5|", "6|"};
    Edit().SetCalendarHints(six);
    EXPECT_EQ(Edit().CalendarHints().Count(), 4);
    EXPECT_EQ(Calendar().PrevYearBtn.Hint(), "1");
    EXPECT_EQ(Calendar().NextMonthBtn.Hint(), "Следующий месяц"); // an empty line keeps the hint
    EXPECT_EQ(Calendar().NextYearBtn.Hint(), "4");
    Edit().SetBlanksChar('\x07');
    EXPECT_EQ(Edit().BlanksChar(), ' ');
    Edit().SetBlanksChar('_');
    EXPECT_EQ(Edit().Text(), "__.__.____");
    EXPECT_FALSE(Edit().TextStored());
    Edit().SetDate(EncodeDate(2008, 10, 6));
    EXPECT_TRUE(Edit().TextStored());
    EXPECT_FALSE(Edit().DialogTitleStored());
    Edit().SetStartOfWeek(Sun);
    EXPECT_EQ(Calendar().Calendar.StartOfWeek(), Sun);
}

TEST_F(DateEditTest, TheOpenCalendarIsDrawnUnderTheEdit) {
    Open();
    Edit().SetDate(EncodeDate(2008, 10, 6));
    Key(Qt::Key_Down, Qt::AltModifier);
    QWidget* popup = Calendar().Widget();
    const QPoint corner = Line()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(popup->geometry().top(), corner.y() + Line()->height());
    const QImage picture = GrabWindows({window.Widget(), popup});
    SavePicture(picture, "date_edit_open");
    // The selected day is drawn in the highlight colour.
    const TRect cell = Calendar().Calendar.CellRect(Calendar().Calendar.Col(), Calendar().Calendar.Row());
    const QPoint inCell = Calendar().Calendar.Widget()->mapTo(popup, QPoint(cell.Left + 1, cell.Top + 1)) +
                          popup->mapToGlobal(QPoint(0, 0)) - window.Widget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(PixelAt(picture, inCell.x(), inCell.y()), ColorToRGB(clHighlight));
    Key(Qt::Key_Escape);
}

} // namespace
