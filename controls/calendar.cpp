#include "controls/calendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "controls/button_glyph.h"
#include "platform/forms/keys.h"

namespace {
constexpr int kCols = 7, kRows = 7;
constexpr int kLine = 1; // grid line width
} // namespace

// The grid's widget: its painting, mouse and keys are the calendar's.
class CalendarGrid : public QWidget {
public:
    CalendarGrid() {
        setFocusPolicy(Qt::StrongFocus);
        resize(218, 113);
    }
    QSize sizeHint() const override {
        const int line = fontMetrics().height();
        return QSize(7 * (fontMetrics().horizontalAdvance("00") + 12), 7 * (line + 4));
    }
    void SetOwner(TKxCalendar* owner) { owner_ = owner; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_) return;
        QPainter painter(this);
        RunHandler([&] { owner_->Paint(painter); });
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!owner_) return QWidget::mousePressEvent(event);
        if (event->button() != Qt::LeftButton) return;
        const QPoint at = event->position().toPoint();
        RunHandler([&] { owner_->MouseDown(at.x(), at.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!owner_) return QWidget::mouseReleaseEvent(event);
        const QPoint at = event->position().toPoint();
        TShiftState shift = 0;
        if (event->modifiers() & Qt::ShiftModifier) shift |= ssShift;
        if (event->modifiers() & Qt::ControlModifier) shift |= ssCtrl;
        if (event->modifiers() & Qt::AltModifier) shift |= ssAlt;
        const bool left = event->button() == Qt::LeftButton;
        if (left) Fire(owner_->OnClick);
        Fire(owner_->OnMouseUp, left, shift, at.x(), at.y());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (!owner_) return QWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton) Fire(owner_->OnDblClick);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!owner_) return QWidget::keyPressEvent(event);
        WORD key = VirtualKeyOf(*event);
        if (key != 0) {
            RunHandler([&] { owner_->KeyDown(key, ShiftOf(*event)); });
            if (key == 0) return;
        }
        char32_t typed = KeyCharOf(*event);
        if (typed != 0) {
            RunHandler([&] { owner_->KeyPress(typed); });
            if (typed == 0) return;
        }
        QWidget::keyPressEvent(event); // Enter and Escape go on to the window
    }

private:
    TKxCalendar* owner_ = nullptr;
};

TKxCalendar::TKxCalendar() : TControl(new CalendarGrid), date_(Date()) {
    static_cast<CalendarGrid*>(Widget())->SetOwner(this);
    UpdateCalendar();
}

TKxCalendar::~TKxCalendar() {
    if (QWidget* widget = Widget()) static_cast<CalendarGrid*>(widget)->SetOwner(nullptr);
}

// ---- Date ------------------------------------------------------------------------------------

void TKxCalendar::Change() {
    Fire(OnChange);
}

void TKxCalendar::SetCalendarDate(TDateTime date) {
    if (date == date_) return;
    date_ = date;
    UpdateCalendar();
    Change();
}

void TKxCalendar::ChangeDate(int year, int month, int day, bool dayOnly) {
    date_ = EncodeDate(year, month, day);
    useCurrentDate_ = false;
    UpdateCalendar();
    if (dayOnly) Repaint();
    Change();
}

void TKxCalendar::SetDay(int day) {
    if (day < 1 || day > DaysPerMonth(Year(), Month()) || day == Day()) return;
    ChangeDate(Year(), Month(), day, true);
}

void TKxCalendar::SetMonth(int month) {
    if (month < 1 || month > 12 || month == Month()) return;
    ChangeDate(Year(), month, std::min(Day(), DaysPerMonth(Year(), month)), false);
}

void TKxCalendar::SetYear(int year) {
    if (year < 1 || year > 9999 || year == Year()) return;
    ChangeDate(year, Month(), std::min(Day(), DaysPerMonth(year, Month())), false);
}

void TKxCalendar::SetUseCurrentDate(bool use) {
    useCurrentDate_ = use;
    if (use) SetCalendarDate(Date());
}

void TKxCalendar::SetStartOfWeek(TDayOfWeekName day) {
    if (day == startOfWeek_) return;
    startOfWeek_ = day;
    UpdateCalendar();
}

void TKxCalendar::SetWeekends(TDaysOfWeek days) {
    if (days == weekends_) return;
    weekends_ = days;
    Widget()->update();
}

void TKxCalendar::SetWeekendColor(TColor color) {
    if (color == weekendColor_) return;
    weekendColor_ = color;
    Widget()->update();
}

void TKxCalendar::SetColor(TColor color) {
    color_ = color;
    Widget()->update();
}

// The month moves and the day number stays, clipped to the month's length (IncDate does both).
void TKxCalendar::PrevMonth() {
    const TDateTime moved = IncMonth(date_, -1);
    ChangeDate(ExtractYear(moved), ExtractMonth(moved), ExtractDay(moved), false);
}

void TKxCalendar::NextMonth() {
    const TDateTime moved = IncMonth(date_, 1);
    ChangeDate(ExtractYear(moved), ExtractMonth(moved), ExtractDay(moved), false);
}

void TKxCalendar::PrevYear() {
    const TDateTime moved = IncYear(date_, -1);
    ChangeDate(ExtractYear(moved), ExtractMonth(moved), ExtractDay(moved), false);
}

void TKxCalendar::NextYear() {
    const TDateTime moved = IncYear(date_, 1);
    ChangeDate(ExtractYear(moved), ExtractMonth(moved), ExtractDay(moved), false);
}

// ---- Grid ------------------------------------------------------------------------------------------

void TKxCalendar::UpdateCalendar() {
    updating_ = true;
    const int first = DayOfWeek(EncodeDate(Year(), Month(), 1));
    monthOffset_ = 2 - ((first - static_cast<int>(startOfWeek_) + 7) % 7);
    if (monthOffset_ == 2) monthOffset_ = -5; // a month that starts in the last column
    const int day = Day();
    col_ = (day - monthOffset_) % 7;
    row_ = (day - monthOffset_) / 7 + 1;
    Widget()->update();
    updating_ = false;
}

int TKxCalendar::DayOfCell(int col, int row) const {
    if (row < 1 || row >= kRows || col < 0 || col >= kCols) return 0;
    const int day = col + monthOffset_ + (row - 1) * 7;
    return day >= 1 && day <= DaysPerMonth(Year(), Month()) ? day : 0;
}

std::string TKxCalendar::CellText(int col, int row) const {
    if (row == 0) return ShortDayName((static_cast<int>(startOfWeek_) + col) % 7);
    const int day = DayOfCell(col, row);
    return day == 0 ? "" : std::to_string(day);
}

int TKxCalendar::ColWidth() const {
    return (Widget()->width() - 6 * kLine) / kCols;
}

int TKxCalendar::RowHeight() const {
    return (Widget()->height() - 6 * kLine) / kRows;
}

TRect TKxCalendar::CellRect(int col, int row) const {
    return Bounds(col * (ColWidth() + kLine), row * (RowHeight() + kLine), ColWidth(), RowHeight());
}

bool TKxCalendar::CellAt(int x, int y, int& col, int& row) const {
    if (ColWidth() <= 0 || RowHeight() <= 0 || x < 0 || y < 0) return false;
    col = x / (ColWidth() + kLine);
    row = y / (RowHeight() + kLine);
    return col < kCols && row < kRows;
}

bool TKxCalendar::SelectCell(int col, int row) {
    return DayOfCell(col, row) > 0 && (updating_ || !readOnly_);
}

void TKxCalendar::MouseDown(int x, int y) {
    int col = 0, row = 0;
    if (!CellAt(x, y, col, row) || !SelectCell(col, row)) return;
    if (Widget()->focusPolicy() != Qt::NoFocus) SetFocus();
    SetDay(DayOfCell(col, row));
}

void TKxCalendar::KeyDown(WORD& key, TShiftState shift) {
    if (shift != 0) return;
    switch (key) {
    case VK_LEFT:
    case VK_SUBTRACT:
        SetCalendarDate(date_ - 1);
        key = 0;
        break;
    case VK_RIGHT:
    case VK_ADD:
        SetCalendarDate(date_ + 1);
        key = 0;
        break;
    case VK_UP:
    case VK_DOWN: {
        // The selection moves a week within the shown month; an empty cell is not selected.
        const int row = row_ + (key == VK_UP ? -1 : 1);
        if (SelectCell(col_, row)) SetDay(DayOfCell(col_, row));
        key = 0;
        break;
    }
    default:
        break;
    }
}

void TKxCalendar::KeyPress(char32_t& key) {
    if (key == U'T' || key == U't') {
        SetCalendarDate(Date());
        key = 0;
    }
}

// ---- Painting -------------------------------------------------------------------------------------------

void TKxCalendar::DrawCell(QPainter& painter, int col, int row, const TRect& rect, bool selected) {
    const QRect area = ToQRect(rect);
    if (row == 0) {
        painter.fillRect(area, ToQColor(allGridLines_ ? clBtnFace : color_));
    } else if (selected) {
        painter.fillRect(area, ToQColor(clHighlight));
    }
    const bool weekend =
        weekends_ & DaySet(static_cast<TDayOfWeekName>((static_cast<int>(startOfWeek_) + col) % 7));
    TColor textColor = selected ? clHighlightText : clWindowText;
    if (weekend && !selected) textColor = weekendColor_;
    painter.setPen(ToQColor(textColor));
    painter.drawText(area, Qt::AlignCenter, QString::fromStdString(CellText(col, row)));
    if (framesToday_ && row > 0) {
        int year = 0, month = 0, day = 0;
        DecodeDate(Date(), year, month, day);
        if (year == Year() && month == Month() && day == DayOfCell(col, row)) {
            TRect frame = rect;
            Frame3D(painter, frame, clBtnShadow, clBtnHighlight);
        }
    }
}

void TKxCalendar::Paint(QPainter& painter) {
    painter.fillRect(Widget()->rect(), ToQColor(color_));
    painter.setPen(ToQColor(clBtnShadow));
    const int width = Widget()->width(), height = Widget()->height();
    for (int row = 1; row < kRows; ++row) {
        const int y = row * (RowHeight() + kLine) - kLine;
        if (allGridLines_ || row == 1) painter.drawLine(0, y, width - 1, y);
    }
    if (allGridLines_)
        for (int col = 1; col < kCols; ++col) {
            const int x = col * (ColWidth() + kLine) - kLine;
            painter.drawLine(x, 0, x, height - 1);
        }
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col)
            DrawCell(painter, col, row, CellRect(col, row), row == row_ && col == col_);
}

TLocCalendar::TLocCalendar() {
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetFramesToday(true);
    SetGridLines(false);
    SetColor(clBtnFace);
    SetUseCurrentDate(false);
    SetCalendarDate(Date());
}
