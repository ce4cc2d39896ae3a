#include "controls/popup_calendar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <cmath>

#include "controls/resource_strings.h"
#include "controls/resources.h"
#include "controls/string_utils.h"

namespace {
// The sizes below are those of an 8-point system font (13 pixels a line); larger fonts scale them.
int Scaled(int pixels) {
    const double factor = std::max(1.0, QFontMetrics(QApplication::font()).height() / 13.0);
    return static_cast<int>(std::lround(pixels * factor));
}

void PlaceChild(TControl& control, QWidget* parent) {
    control.Widget()->setParent(parent);
    control.Placed();
}
} // namespace

std::string ShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

TPopupCalendar::TPopupCalendar(TCustomComboEdit& editor)
    : TPopupWindow(editor), back_(new QWidget(Widget())), titlePanel_(new QWidget(back_)) {
    SetSize(std::max(Width(), Scaled(180)), std::max(Height(), Scaled(120)));
    // A click on the panels stays with them: only a release on the window's own edge closes it.
    back_->setAttribute(Qt::WA_NoMousePropagation);
    titlePanel_->setAttribute(Qt::WA_NoMousePropagation);
    struct ButtonSpec {
        TKxTimerSpeedButton& button;
        const char* glyph;
        const char* hint;
        void (TKxCalendar::*step)();
    };
    const ButtonSpec buttons[] = {{PrevYearBtn, "PREV2", SPrevYear, &TKxCalendar::PrevYear},
                                  {PrevMonthBtn, "PREV1", SPrevMonth, &TKxCalendar::PrevMonth},
                                  {NextMonthBtn, "NEXT1", SNextMonth, &TKxCalendar::NextMonth},
                                  {NextYearBtn, "NEXT2", SNextYear, &TKxCalendar::NextYear}};
    for (const ButtonSpec& spec : buttons) {
        PlaceChild(spec.button, titlePanel_);
        spec.button.SetGlyph(MakeBitmap(spec.glyph));
        spec.button.SetHint(ShortHint(spec.hint));
        spec.button.OnClick = [this, step = spec.step] { (Calendar.*step)(); };
    }
    PlaceChild(TitleLabel, titlePanel_);
    TitleLabel.SetAlignment(taCenter);
    TitleLabel.OnDblClick = [this] { Calendar.SetCalendarDate(Date()); };
    PlaceChild(Calendar, back_);
    Calendar.OnChange = [this] { UpdateTitle(); };
    Calendar.OnMouseUp = [this](bool left, TShiftState shift, int x, int y) {
        CalendarMouseUp(left, shift, x, y);
    };
    Place();
    UpdateTitle();
}

TPopupCalendar::~TPopupCalendar() = default;

void TPopupCalendar::Place() {
    const int width = Width(), height = Height();
    back_->setGeometry(1, 1, width - 2, height - 2);
    const int panelWidth = back_->width() - Scaled(4) + 2;
    const int button = Scaled(14);
    titlePanel_->setGeometry(1, 1, panelWidth, Scaled(18));
    PrevYearBtn.SetBounds(-1 + 1, 1, button, button);
    PrevMonthBtn.SetBounds(Scaled(12) + 1, 1, button, button);
    NextMonthBtn.SetBounds(panelWidth - Scaled(26) - 1, 1, button, button);
    NextYearBtn.SetBounds(panelWidth - Scaled(14) - 1, 1, button, button);
    TitleLabel.Widget()->setGeometry(Scaled(29), 1, panelWidth - Scaled(58), button);
    const int top = titlePanel_->geometry().bottom() + 2;
    Calendar.Widget()->setGeometry(0, top, back_->width(), back_->height() - top);
}

std::string TPopupCalendar::TitleText() const {
    return LongMonthName(Calendar.Month()) + ", " + std::to_string(Calendar.Year());
}

void TPopupCalendar::UpdateTitle() {
    TitleLabel.SetCaption(TitleText());
}

void TPopupCalendar::SetColor(TColor color) {
    Calendar.SetColor(color);
}

TVariant TPopupCalendar::GetValue() {
    return TVariant(Calendar.CalendarDate());
}

void TPopupCalendar::SetValue(const TVariant& value) {
    const std::string text = DelRSpace(ReplaceStr(VarToStr(value), std::string(1, DateSeparator), ""));
    TDateTime date = Date();
    if (!text.empty() && !VarIsNull(value) && !VarIsEmpty(value)) {
        if (const auto* shown = std::get_if<double>(&value))
            date = ValidDate(*shown) ? *shown : Date();
        else
            date = StrToDateDef(VarToStr(value), Date());
    }
    Calendar.SetCalendarDate(date);
    UpdateTitle();
}

void TPopupCalendar::CalendarMouseUp(bool left, TShiftState shift, int x, int y) {
    int col = 0, row = 0;
    if (!left || shift != 0 || !Calendar.CellAt(x, y, col, row)) return;
    if (row > 0 && Calendar.DayOfCell(col, row) > 0) CloseUp(true);
}

void TPopupCalendar::KeyDown(WORD& key, TShiftState shift) {
    const bool ctrl = shift & ssCtrl;
    if (key == VK_PRIOR) {
        ctrl ? Calendar.PrevYear() : Calendar.PrevMonth();
        key = 0;
    } else if (key == VK_NEXT) {
        ctrl ? Calendar.NextYear() : Calendar.NextMonth();
        key = 0;
    } else {
        Calendar.KeyDown(key, shift);
    }
}

void TPopupCalendar::KeyPress(char32_t& key) {
    Calendar.KeyPress(key);
}

std::unique_ptr<TPopupCalendar> CreatePopupCalendar(TCustomComboEdit& owner) {
    return std::make_unique<TPopupCalendar>(owner);
}

void SetupPopupCalendar(TPopupWindow* popup, TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                        TColor weekendColor, const TStrings* hints, bool fourDigitYear) {
    auto* calendar = dynamic_cast<TPopupCalendar*>(popup);
    if (!calendar) return;
    calendar->SetFourDigitYear(fourDigitYear);
    calendar->Calendar.SetStartOfWeek(startOfWeek);
    calendar->Calendar.SetWeekendColor(weekendColor);
    calendar->Calendar.SetWeekends(weekends);
    if (!hints) return;
    TKxTimerSpeedButton* buttons[] = {&calendar->PrevYearBtn, &calendar->PrevMonthBtn,
                                      &calendar->NextMonthBtn, &calendar->NextYearBtn};
    for (int i = 0; i < std::min(hints->Count(), 4); ++i)
        if (!hints->Strings(i).empty()) buttons[i]->SetHint(ShortHint(hints->Strings(i)));
}
