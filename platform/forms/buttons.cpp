#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"

TButton::TButton() : TControl(new QPushButton), button_(static_cast<QPushButton*>(Widget())) {
    // Enter in an edit presses only the window's Default button, never some other button (Qt's
    // auto-default); Enter on a focused button presses that button.
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this] { Click(); });
    new EventHook(button_, [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent&>(event).key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        button_->click();
        return true;
    });
}

std::string TButton::Caption() const {
    return FromQ(button_->text());
}
void TButton::SetCaption(const std::string& caption) {
    button_->setText(ToQ(caption));
}
bool TButton::Default() const {
    return button_->isDefault();
}
void TButton::SetDefault(bool isDefault) {
    button_->setDefault(isDefault);
}
bool TButton::Cancel() const {
    return button_->property("kaltorCancel").toBool();
}
void TButton::SetCancel(bool isCancel) {
    button_->setProperty("kaltorCancel", isCancel);
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    Fire(OnClick);
}

TSpeedButton::TSpeedButton() : TControl(new QToolButton), button_(static_cast<QToolButton*>(Widget())) {
    button_->setAutoRaise(false);
    button_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QObject::connect(button_, &QToolButton::clicked, [this] { Fire(OnClick); });
}

std::string TSpeedButton::Caption() const {
    return FromQ(button_->text());
}
void TSpeedButton::SetCaption(const std::string& caption) {
    button_->setText(ToQ(caption));
}
bool TSpeedButton::Flat() const {
    return button_->autoRaise();
}
void TSpeedButton::SetFlat(bool flat) {
    button_->setAutoRaise(flat);
}
bool TSpeedButton::Down() const {
    return button_->isChecked();
}

void TSpeedButton::SetDown(bool down) {
    button_->setCheckable(down || button_->isCheckable());
    button_->setChecked(down);
}

void TSpeedButton::Click() {
    Fire(OnClick);
}
