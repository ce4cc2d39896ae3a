#include "controls/date_edit.h"

#include <QApplication>
#include <QWidget>

#include "controls/popup_calendar.h"
#include "controls/resource_strings.h"
#include "controls/resources.h"
#include "controls/select_date.h"
#include "controls/string_utils.h"
#include "platform/forms/event_hook.h"

namespace {

constexpr size_t kMaxFormatLength = 10;

// The date a drop-down value stands for: a date as it is, a text read as a short date.
TDateTime DateOfValue(const TVariant& value) {
    if (const auto* date = std::get_if<double>(&value)) return *date;
    if (const auto* text = std::get_if<std::string>(&value)) return StrToDateDef(*text, NullDate);
    return NullDate;
}

bool IsCalendarKey(WORD key) {
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_ADD:
    case VK_SUBTRACT:
        return true;
    default:
        return false;
    }
}

} // namespace

TCustomDateEdit::TCustomDateEdit() : dialogTitle_(SDateDlgTitle) {
    SetDefNumGlyphs(2);
    UpdateFormat();
    CreateCalendar();
    SetGlyphKind(gkDefault);
    // Qt's notice of changed regional settings stands for the system's settings-changed message.
    new EventHook(Widget(), [this](QEvent& event) {
        if (event.type() == QEvent::LocaleChange) RunHandler([this] { UpdateMask(); });
        return false;
    });
}

TCustomDateEdit::~TCustomDateEdit() {
    SetPopup(nullptr);
}

void TCustomDateEdit::CreateCalendar() {
    calendar_ = CreatePopupCalendar(*this);
    calendar_->OnCloseUp = [this](TPopupWindow& sender, bool accept) { PopupCloseUp(sender, accept); };
    calendar_->SetColor(popupColor_);
    SetPopup(calendar_.get());
}

QImage TCustomDateEdit::GetDefaultBitmap(bool& destroy) {
    static const QImage glyph = MakeBitmap("DEDITBMP"); // one picture for all date edits
    destroy = false;
    return glyph;
}

// ---- Format and mask -------------------------------------------------------------------------

bool TCustomDateEdit::FourDigitYear() const {
    if (yearDigits_ == dyFour) return true;
    if (yearDigits_ == dyTwo) return false;
    return FourDigitYearDefault();
}

std::string TCustomDateEdit::GetDateMask() const {
    return DefDateMask(blanksChar_, FourDigitYear());
}

void TCustomDateEdit::UpdateFormat() {
    dateFormat_ = DefDateFormat(FourDigitYear()).substr(0, kMaxFormatLength);
}

void TCustomDateEdit::UpdatePopup() {
    if (calendar_)
        SetupPopupCalendar(calendar_.get(), startOfWeek_, weekends_, weekendColor_, &calendarHints_,
                           FourDigitYear());
}

void TCustomDateEdit::UpdateMask() {
    const TDateTime date = Date();
    const std::string oldFormat = dateFormat_;
    UpdateFormat();
    const std::string mask = GetDateMask();
    if (mask != EditMask() || oldFormat != dateFormat_) {
        SetEditMask("");
        SetEditMask(mask);
    }
    UpdatePopup();
    SetDate(date);
}

// ---- The date in the text ------------------------------------------------------------------------

TDateTime TCustomDateEdit::Date() const {
    const TDateTime fallback = defaultToday_ ? ::Date() : NullDate;
    return StrToDateFmtDef(dateFormat_, Text(), fallback);
}

void TCustomDateEdit::SetDate(TDateTime value) {
    if (!ValidDate(value) || value == NullDate) value = defaultToday_ ? ::Date() : NullDate;
    const TDateTime old = Date();
    SetText(value == NullDate ? "" : FormatDateTime(dateFormat_, value));
    SetModified(Date() != old);
}

void TCustomDateEdit::ApplyDate(TDateTime value) {
    SetDate(value);
    SelectAll();
}

bool TCustomDateEdit::HoldsDateCharacter() const {
    for (char32_t c : ToChars(Text()))
        if (c != 0 && c != U' ' && c != static_cast<char32_t>(DateSeparator) &&
            c != static_cast<char32_t>(static_cast<unsigned char>(blanksChar_)))
            return true;
    return false;
}

void TCustomDateEdit::CheckValidDate() {
    if (!HoldsDateCharacter()) return;
    struct Formatting {
        bool& flag;
        explicit Formatting(bool& f) : flag(f) { flag = true; }
        ~Formatting() { flag = false; }
    } formatting(formatting_);
    SetDate(StrToDateFmt(dateFormat_, Text()));
}

bool TCustomDateEdit::TextStored() const {
    return HoldsDateCharacter();
}

bool TCustomDateEdit::DialogTitleStored() const {
    return dialogTitle_ != SDateDlgTitle;
}

// ---- Settings ---------------------------------------------------------------------------------------

void TCustomDateEdit::SetBlanksChar(char blank) {
    if (static_cast<unsigned char>(blank) < 32) blank = ' ';
    if (blank == blanksChar_) return;
    blanksChar_ = blank;
    UpdateMask();
}

TColor TCustomDateEdit::PopupColor() const {
    return calendar_ ? calendar_->Color() : popupColor_;
}

void TCustomDateEdit::SetPopupColor(TColor color) {
    if (color == PopupColor()) return;
    if (calendar_) calendar_->SetColor(color);
    popupColor_ = color;
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName day) {
    if (day == startOfWeek_) return;
    startOfWeek_ = day;
    UpdatePopup();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek days) {
    if (days == weekends_) return;
    weekends_ = days;
    UpdatePopup();
}

void TCustomDateEdit::SetWeekendColor(TColor color) {
    if (color == weekendColor_) return;
    weekendColor_ = color;
    UpdatePopup();
}

void TCustomDateEdit::SetYearDigits(TYearDigits digits) {
    if (digits == yearDigits_) return;
    yearDigits_ = digits;
    UpdateMask();
}

void TCustomDateEdit::SetCalendarHints(const TStrings& hints) {
    calendarHints_.Assign(hints);
    while (calendarHints_.Count() > 4)
        calendarHints_.Delete(calendarHints_.Count() - 1);
    UpdatePopup();
}

TCalendarStyle TCustomDateEdit::CalendarStyle() const {
    return calendar_ ? csPopup : csDialog;
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle style) {
    if (style == csPopup) {
        if (!calendar_) CreateCalendar();
        UpdatePopup();
        return;
    }
    if (calendar_ && PopupVisible()) PopupCloseUp(*calendar_, false);
    SetPopup(nullptr);
    calendar_.reset();
}

// ---- Events
// ------------------------------------------------------------------------------------------------

void TCustomDateEdit::Change() {
    if (!formatting_) TCustomComboEdit::Change();
}

void TCustomDateEdit::KeyDown(WORD& key, TShiftState shift) {
    if (IsCalendarKey(key) && PopupVisible() && calendar_) {
        calendar_->KeyDown(key, shift);
        key = 0;
    } else if ((key == VK_ADD || key == VK_SUBTRACT) && shift == 0 && DirectInput()) {
        TDateTime date = Date();
        if (date == NullDate) date = Now();
        ApplyDate(date + (key == VK_ADD ? 1 : -1));
        key = 0;
    }
    TCustomComboEdit::KeyDown(key, shift);
}

void TCustomDateEdit::KeyPress(char32_t& key) {
    const bool dateKey = key == U'+' || key == U'-' || key == U'T' || key == U't';
    if (dateKey && PopupVisible() && calendar_) {
        calendar_->KeyPress(key);
        key = 0;
    } else if (dateKey && DirectInput()) {
        if (key == U'T' || key == U't') ApplyDate(::Date());
        key = 0;
    }
    TCustomComboEdit::KeyPress(key);
}

void TCustomDateEdit::DoExit() {
    try {
        if (checkOnExit_) CheckValidDate();
    } catch (...) {
        TCustomComboEdit::DoExit();
        throw;
    }
    TCustomComboEdit::DoExit();
}

void TCustomDateEdit::ButtonClick() {
    TCustomComboEdit::ButtonClick();
    if (calendar_) return;
    TDateTime date = Date();
    const bool chosen =
        SelectDate(date, dialogTitle_, startOfWeek_, weekends_, weekendColor_, &calendarHints_);
    if (CanOperate() && Visible()) SetFocus();
    if (!chosen) return;
    bool accept = true;
    if (OnAcceptDate) OnAcceptDate(*this, date, accept);
    if (!accept) return;
    SetDate(date);
    if (Focused()) SelectAll();
}

// ---- Drop-down value exchange
// -------------------------------------------------------------------------------

void TCustomDateEdit::SetPopupValue(const TVariant& value) {
    (void)value; // the calendar starts at the date of the text, or today
    if (calendar_) calendar_->SetValue(TVariant(StrToDateFmtDef(dateFormat_, Text(), ::Date())));
}

bool TCustomDateEdit::AcceptPopup(TVariant& value) {
    bool accept = true;
    if (OnAcceptDate) {
        TDateTime date = VarIsNull(value) || VarIsEmpty(value) ? NullDate : DateOfValue(value);
        OnAcceptDate(*this, date, accept);
        if (accept) value = TVariant(date);
    }
    return accept;
}

void TCustomDateEdit::AcceptValue(const TVariant& value) {
    SetDate(DateOfValue(value));
    RefreshPopupVisible();
    if (Modified()) Change();
}

TDateEdit::TDateEdit() {
    UpdateMask();
}

void DateFormatChanged() {
    for (QWidget* window : QApplication::topLevelWidgets())
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            void* control = widget->property("kaltorControl").value<void*>();
            if (auto* edit = dynamic_cast<TCustomDateEdit*>(static_cast<TControl*>(control)))
                edit->UpdateMask();
        }
}
