#pragma once
// TDateEdit: a masked edit that holds one date as text ("06.10.2008", or "06.10.08" with two-digit
// years), with a button that drops a month calendar down under it (or, in dialog style, opens the
// date dialog). The date lives only in the text; Date() reads it, SetDate() writes it.
//
// Keys: keypad "+" / "-" the next / previous day, "T" today, Alt+Down the calendar; while the
// calendar is down, arrows, Page Up / Down and keypad "+" / "-" move in it, Enter takes the day and
// Escape drops it.
#include <functional>
#include <memory>
#include <string>

#include "controls/combo_edit.h"
#include "controls/date_utils.h"
#include "platform/forms/strings.h"

class TPopupCalendar;

enum TYearDigits { dyDefault, dyFour, dyTwo };
enum TCalendarStyle { csPopup, csDialog };

class TCustomDateEdit : public TCustomComboEdit {
public:
    TCustomDateEdit();
    ~TCustomDateEdit() override;

    // The date of the text: an empty text is the null date; a text that is no date reads as today
    // with DefaultToday, else as the null date.
    TDateTime Date() const;
    // An invalid or null date shows today with DefaultToday, else an empty text.
    void SetDate(TDateTime value);
    void ApplyDate(TDateTime value);
    // Re-reads the format and mask and shows the date again in them.
    virtual void UpdateMask();
    // Reads the text strictly and shows it again; raises EConvertError for a text that is no date.
    void CheckValidDate();
    std::string GetDateMask() const;
    bool FourDigitYear() const;
    std::string DateFormat() const { return dateFormat_; }

    char BlanksChar() const { return blanksChar_; }
    void SetBlanksChar(char blank); // a control character is stored as a blank
    std::string DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const std::string& title) { dialogTitle_ = title; }
    TColor PopupColor() const;
    void SetPopupColor(TColor color);
    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName day);
    TDaysOfWeek Weekends() const { return weekends_; }
    void SetWeekends(TDaysOfWeek days);
    TColor WeekendColor() const { return weekendColor_; }
    void SetWeekendColor(TColor color);
    TYearDigits YearDigits() const { return yearDigits_; }
    void SetYearDigits(TYearDigits digits);
    // The hints of the calendar's four buttons; at most four lines are kept.
    const TStringList& CalendarHints() const { return calendarHints_; }
    void SetCalendarHints(const TStrings& hints);
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool check) { checkOnExit_ = check; }
    bool DefaultToday() const { return defaultToday_; }
    void SetDefaultToday(bool today) { defaultToday_ = today; }
    TCalendarStyle CalendarStyle() const;
    void SetCalendarStyle(TCalendarStyle style);
    TPopupCalendar* Calendar() const { return calendar_.get(); }

    // What a stored form would keep: the text only when it holds a date character, the title only
    // when it is not the default one.
    bool TextStored() const;
    bool DialogTitleStored() const;

    // The owner may change the chosen date or refuse it (accept = false).
    std::function<void(TCustomDateEdit& sender, TDateTime& date, bool& accept)> OnAcceptDate;

protected:
    QImage GetDefaultBitmap(bool& destroy) override;
    bool AcceptPopup(TVariant& value) override;
    void AcceptValue(const TVariant& value) override;
    void SetPopupValue(const TVariant& value) override;
    void ButtonClick() override;
    void Change() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoExit() override;

private:
    void UpdateFormat();
    void UpdatePopup();
    void CreateCalendar();
    bool HoldsDateCharacter() const;

    char blanksChar_ = ' ';
    std::string dialogTitle_;
    TColor popupColor_ = clBtnFace;
    TDayOfWeekName startOfWeek_ = Mon;
    TDaysOfWeek weekends_ = DaySet(Sun);
    TColor weekendColor_ = clRed;
    TYearDigits yearDigits_ = dyDefault;
    TStringList calendarHints_;
    bool checkOnExit_ = false;
    bool defaultToday_ = false;
    std::string dateFormat_;
    bool formatting_ = false;
    std::unique_ptr<TPopupCalendar> calendar_;
};

class TDateEdit : public TCustomDateEdit {
public:
    TDateEdit();
};

// Every date edit of every window takes the format and mask anew.
void DateFormatChanged();
