#pragma once
// TPopupCalendar: the drop-down month calendar of the date edit: a title with the shown month and
// year between the year and month buttons, and the calendar grid; a click on a day accepts it.
#include <memory>
#include <string>

#include "controls/calendar.h"
#include "controls/combo_edit.h"
#include "controls/speed_button.h"
#include "platform/forms/controls.h"
#include "platform/forms/strings.h"

class TPopupCalendar : public TPopupWindow {
public:
    explicit TPopupCalendar(TCustomComboEdit& editor);
    ~TPopupCalendar() override;

    TVariant GetValue() override;
    // A value with some text other than separators and blanks is shown as a date; anything else
    // (null, empty, not a date) shows today.
    void SetValue(const TVariant& value) override;

    // Keys and characters the date edit passes on while the calendar is dropped down.
    void KeyDown(WORD& key, TShiftState shift);
    void KeyPress(char32_t& key);
    TColor Color() const { return Calendar.Color(); }
    void SetColor(TColor color);
    bool FourDigitYear() const { return fourDigitYear_; }
    void SetFourDigitYear(bool four) { fourDigitYear_ = four; }
    // "Октябрь, 2008": the shown month.
    std::string TitleText() const;

    TLocCalendar Calendar;
    TLabel TitleLabel;
    TKxTimerSpeedButton PrevYearBtn, PrevMonthBtn, NextMonthBtn, NextYearBtn;

private:
    void UpdateTitle();
    void CalendarMouseUp(bool left, TShiftState shift, int x, int y);
    void Place();
    QWidget* back_;
    QWidget* titlePanel_;
    bool fourDigitYear_ = true;
};

std::unique_ptr<TPopupCalendar> CreatePopupCalendar(TCustomComboEdit& owner);
// The calendar settings and up to four button hints (an empty line keeps that button's hint).
void SetupPopupCalendar(TPopupWindow* popup, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                        TColor weekendColor, const TStrings* hints, bool fourDigitYear);
// The short hint of a hint text: the part before "|".
std::string ShortHint(const std::string& hint);
