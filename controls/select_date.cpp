#include "controls/select_date.h"

#include <QScreen>
#include <QWidget>

#include "controls/date_utils.h"
#include "controls/popup_calendar.h"
#include "controls/resource_strings.h"
#include "controls/resources.h"
#include "platform/forms/layout.h"

TSelectDateDlg::TSelectDateDlg() {
    SetCaption(SDateDlgTitle);
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    struct ButtonSpec {
        TKxTimerSpeedButton& button;
        const char* glyph;
        const char* hint;
    };
    for (const ButtonSpec& spec :
         {ButtonSpec{PrevYearBtn, "PREV2", SPrevYear}, ButtonSpec{PrevMonthBtn, "PREV1", SPrevMonth},
          ButtonSpec{NextMonthBtn, "NEXT1", SNextMonth}, ButtonSpec{NextYearBtn, "NEXT2", SNextYear}}) {
        spec.button.SetGlyph(MakeBitmap(spec.glyph));
        spec.button.SetHint(ShortHint(spec.hint));
        spec.button.SetWidth(16);
        spec.button.SetHeight(16);
    }
    TitleLabel.SetAlignment(taCenter);
    TitleLabel.SetFontColor(clBlue);
    TitleLabel.SetWidth(152);
    OkBtn.SetCaption("OK");
    OkBtn.SetModalResult(mrOk);
    CancelBtn.SetCaption("Отмена"); // the form layer's text of the library's Cancel
    CancelBtn.SetModalResult(mrCancel);
    Calendar.SetColor(clWhite);
    Calendar.SetUseCurrentDate(false);
    Calendar.SetWidth(218);
    Calendar.SetHeight(113);

    Column main(*this);
    Column top = main.Panel(TopPanel);
    top.Line({&PrevYearBtn, &PrevMonthBtn, &TitleLabel, &NextMonthBtn, &NextYearBtn});
    main.Add(Calendar);
    main.Buttons({&OkBtn, &CancelBtn});
    SetActiveControl(Calendar);

    PrevYearBtn.OnClick = [this] { PrevYearBtnClick(); };
    NextYearBtn.OnClick = [this] { NextYearBtnClick(); };
    PrevMonthBtn.OnClick = [this] { PrevMonthBtnClick(); };
    NextMonthBtn.OnClick = [this] { NextMonthBtnClick(); };
    TitleLabel.OnDblClick = [this] { TopPanelDblClick(); };
    Calendar.OnChange = [this] { CalendarChange(); };
    Calendar.OnDblClick = [this] { CalendarDblClick(); };
    OnKeyDown = [this](WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
    CalendarChange();
}

void TSelectDateDlg::SetDate(TDateTime date) {
    Calendar.SetCalendarDate(date == NullDate ? ::Date() : date);
    CalendarChange();
}

void TSelectDateDlg::Setup(TDayOfWeekName startOfWeek, TDaysOfWeek weekends, TColor weekendColor,
                           const TStrings* hints) {
    Calendar.SetStartOfWeek(startOfWeek);
    Calendar.SetWeekends(weekends);
    Calendar.SetWeekendColor(weekendColor);
    if (!hints) return;
    TKxTimerSpeedButton* buttons[] = {&PrevYearBtn, &PrevMonthBtn, &NextMonthBtn, &NextYearBtn};
    for (int i = 0; i < std::min(hints->Count(), 4); ++i)
        if (!hints->Strings(i).empty()) buttons[i]->SetHint(ShortHint(hints->Strings(i)));
}

void TSelectDateDlg::TopPanelDblClick() {
    Calendar.SetCalendarDate(::Date());
}
void TSelectDateDlg::PrevYearBtnClick() {
    Calendar.PrevYear();
}
void TSelectDateDlg::NextYearBtnClick() {
    Calendar.NextYear();
}
void TSelectDateDlg::PrevMonthBtnClick() {
    Calendar.PrevMonth();
}
void TSelectDateDlg::NextMonthBtnClick() {
    Calendar.NextMonth();
}

void TSelectDateDlg::CalendarChange() {
    TitleLabel.SetCaption(LongMonthName(Calendar.Month()) + ", " + std::to_string(Calendar.Year()));
}

void TSelectDateDlg::CalendarDblClick() {
    SetModalResult(mrOk);
}

void TSelectDateDlg::FormKeyDown(WORD& key, TShiftState shift) {
    const bool ctrl = shift & ssCtrl;
    switch (key) {
    case VK_ESCAPE:
        SetModalResult(mrCancel);
        break;
    case VK_RETURN:
        SetModalResult(mrOk);
        break;
    case VK_TAB:
        (shift & ssShift) ? Calendar.PrevMonth() : Calendar.NextMonth();
        break;
    case VK_PRIOR:
        ctrl ? Calendar.PrevYear() : Calendar.PrevMonth();
        break;
    case VK_NEXT:
        ctrl ? Calendar.NextYear() : Calendar.NextMonth();
        break;
    default:
        return;
    }
    key = 0;
    TitleLabel.Repaint();
}

namespace {
bool RunDialog(TSelectDateDlg& dialog, TDateTime& date) {
    if (dialog.ShowModal() != mrOk) return false;
    date = dialog.Date();
    return true;
}
} // namespace

bool SelectDate(TDateTime& date, const std::string& title, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                TColor weekendColor, const TStrings* hints) {
    TSelectDateDlg dialog;
    dialog.SetCaption(title);
    dialog.SetDate(date);
    dialog.Setup(startOfWeek, weekends, weekendColor, hints);
    return RunDialog(dialog, date);
}

bool SelectDateStr(std::string& text, const std::string& title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints) {
    TDateTime date = text.empty() ? ::Date() : StrToDateFmt(ShortDateFormat, text);
    if (!SelectDate(date, title, startOfWeek, weekends, weekendColor, hints)) return false;
    text = FormatDateTime(ShortDateFormat, date);
    return true;
}

bool PopupDate(TDateTime& date, TControl& control) {
    TSelectDateDlg dialog;
    dialog.SetBorderIcons(0);
    dialog.SetPosition(poDesigned);
    dialog.SetDate(date);
    QWidget* under = control.Widget();
    QWidget* window = dialog.Widget();
    window->adjustSize();
    const QPoint corner = under->mapToGlobal(QPoint(0, 0));
    const QRect screen = under->screen() ? under->screen()->geometry() : QRect(0, 0, 800, 600);
    int y = corner.y() + under->height();
    if (y + window->height() > screen.bottom() + 1) y = corner.y() - window->height();
    int x = corner.x() + under->width() - window->width(); // right edges aligned
    if (x < 0) x = corner.x();
    dialog.SetLeft(x);
    dialog.SetTop(y);
    return RunDialog(dialog, date);
}
