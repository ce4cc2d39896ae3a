#pragma once
// TSelectDateDlg: the modal date window: the shown month and year between the year and month buttons,
// the calendar, and OK and Cancel. SelectDate, SelectDateStr and PopupDate run it.
#include <string>

#include "controls/calendar.h"
#include "controls/speed_button.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/strings.h"

class TSelectDateDlg : public TForm {
public:
    TSelectDateDlg();

    TPanel TopPanel;
    TKxTimerSpeedButton PrevYearBtn, PrevMonthBtn, NextMonthBtn, NextYearBtn;
    TLabel TitleLabel;
    TKxCalendar Calendar;
    TButton OkBtn, CancelBtn;

    TDateTime Date() const { return Calendar.CalendarDate(); }
    void SetDate(TDateTime date);
    // The calendar settings and the buttons' hints (lines 0 to 3; an empty line keeps that hint).
    void Setup(TDayOfWeekName startOfWeek, TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints);

private:
    void TopPanelDblClick();
    void PrevYearBtnClick();
    void NextYearBtnClick();
    void PrevMonthBtnClick();
    void NextMonthBtnClick();
    void CalendarChange();
    void CalendarDblClick();
    void FormKeyDown(WORD& key, TShiftState shift);
};

// The date dialog on a date (today for the null date); true and the chosen date on OK.
bool SelectDate(TDateTime& date, const std::string& title, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                TColor weekendColor, const TStrings* hints);
// The same on a text in the short date format: an empty text starts at today, a text that is no
// date raises EConvertError before the dialog opens.
bool SelectDateStr(std::string& text, const std::string& title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, TColor weekendColor, const TStrings* hints);
// The dialog without caption buttons, right under the control (above it near the screen's bottom).
bool PopupDate(TDateTime& date, TControl& control);
