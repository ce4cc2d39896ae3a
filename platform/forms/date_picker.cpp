#include <QDateEdit>
#include <QLocale>
#include <cmath>

#include "platform/forms/controls.h"

namespace {
// Julian day of 30.12.1899, day 0 of TDateTime.
constexpr qint64 kDayZero = 2415019;
} // namespace

TDateTimePicker::TDateTimePicker() : TControl(new QDateEdit), edit_(static_cast<QDateEdit*>(Widget())) {
    // The popup calendar's month and day names are Russian, as everywhere in the program, whatever
    // the desktop's language.
    edit_->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    edit_->setCalendarPopup(true);
    edit_->setDisplayFormat("dd.MM.yyyy");
    SetDate(::Date()); // the program's clock, which tests can set
    QObject::connect(edit_, &QDateEdit::dateChanged, [this] {
        if (!quiet_) Fire(OnChange);
    });
}

TDateTime TDateTimePicker::Date() const {
    return static_cast<TDateTime>(edit_->date().toJulianDay() - kDayZero);
}

void TDateTimePicker::SetDate(TDateTime date) {
    quiet_ = true;
    edit_->setDate(QDate::fromJulianDay(kDayZero + static_cast<qint64>(std::floor(date))));
    quiet_ = false;
}
