#pragma once
// TKxCalendar: one month as a grid of 7 columns (days of the week, from StartOfWeek) and 7 rows (the
// day names, then up to six weeks), painted by us. TLocCalendar is the borderless variant inside the
// drop-down calendar and the date dialog: it never takes the keyboard focus, and frames today.
#include <functional>
#include <string>

#include "controls/date_utils.h"
#include "controls/drawing_utils.h"
#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/types.h"

class CalendarGrid;

class TKxCalendar : public TControl {
public:
    TKxCalendar();
    ~TKxCalendar() override;

    TDateTime CalendarDate() const { return date_; }
    void SetCalendarDate(TDateTime date);
    int Day() const { return ExtractDay(date_); }
    int Month() const { return ExtractMonth(date_); }
    int Year() const { return ExtractYear(date_); }
    // Values below 1, a month above 12, a day beyond the month and unchanged values are ignored.
    void SetDay(int day);
    void SetMonth(int month);
    void SetYear(int year);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName day);
    bool UseCurrentDate() const { return useCurrentDate_; }
    void SetUseCurrentDate(bool use);
    TDaysOfWeek Weekends() const { return weekends_; }
    void SetWeekends(TDaysOfWeek days);
    TColor WeekendColor() const { return weekendColor_; }
    void SetWeekendColor(TColor color);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void PrevMonth();
    void NextMonth();
    void PrevYear();
    void NextYear();

    // The grid: the day number of a cell (0 for none), its text, and the selected cell.
    int DayOfCell(int col, int row) const;
    std::string CellText(int col, int row) const;
    int Col() const { return col_; }
    int Row() const { return row_; }
    // The cell under a point, or false outside the grid.
    bool CellAt(int x, int y, int& col, int& row) const;
    TRect CellRect(int col, int row) const;
    int ColWidth() const;
    int RowHeight() const;

    // Keys and characters as the grid handles them (the drop-down passes its keys on here).
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    // A press on a cell selects its day when the cell may be selected.
    void MouseDown(int x, int y);

    virtual void UpdateCalendar();

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    std::function<void(bool left, TShiftState shift, int x, int y)> OnMouseUp;

    void Paint(QPainter& painter);

protected:
    virtual bool SelectCell(int col, int row);
    virtual void DrawCell(QPainter& painter, int col, int row, const TRect& rect, bool selected);
    void Change();
    void ChangeDate(int year, int month, int day, bool dayOnly);
    bool FramesToday() const { return framesToday_; }
    void SetFramesToday(bool frames) { framesToday_ = frames; }
    void SetGridLines(bool all) { allGridLines_ = all; }

private:
    friend class CalendarGrid;
    TDateTime date_;
    int monthOffset_ = 0;
    bool readOnly_ = false;
    TDayOfWeekName startOfWeek_ = Mon;
    bool updating_ = false;
    bool useCurrentDate_ = true;
    TDaysOfWeek weekends_ = DaySet(Sun);
    TColor weekendColor_ = clRed;
    TColor color_ = clWindow;
    int col_ = 0, row_ = 1;
    bool framesToday_ = false;
    bool allGridLines_ = true;
};

class TLocCalendar : public TKxCalendar {
public:
    TLocCalendar();
};
