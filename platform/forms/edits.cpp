#include <QKeyEvent>
#include <QLineEdit>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/typing_limit.h"

TEdit::TEdit() : TControl(new QLineEdit), line_(static_cast<QLineEdit*>(Widget())) {
    QObject::connect(line_, &QLineEdit::textChanged, [this] { RunHandler([this] { Change(); }); });
    new EventHook(line_, [this](QEvent& event) {
        switch (event.type()) {
        case QEvent::KeyPress:
            return DispatchKeyPress(
                static_cast<QKeyEvent&>(event), [this](WORD& key, TShiftState shift) { KeyDown(key, shift); },
                [this](char32_t& key) { KeyPress(key); },
                [this](const QString& text) { line_->insert(text); });
        case QEvent::FocusIn:
            RunHandler([this] { DoEnter(); });
            return false;
        case QEvent::FocusOut:
            RunHandler([this] { DoExit(); });
            return false;
        case QEvent::MouseButtonRelease:
            Fire(OnClick);
            return false;
        case QEvent::MouseButtonDblClick:
            Fire(OnDblClick);
            return false;
        default:
            return false;
        }
    });
}

std::string TEdit::Text() const {
    return FromQ(line_->text());
}
// The same text again changes nothing, as in the library (and spares laying the text out again).
void TEdit::SetText(const std::string& text) {
    const QString value = ToQ(text);
    if (value == line_->text()) return;
    line_->setText(value);
}

void TEdit::SetMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
    LimitTyping(*line_, maxLength_);
}

bool TEdit::ReadOnly() const {
    return line_->isReadOnly();
}
void TEdit::SetReadOnly(bool readOnly) {
    line_->setReadOnly(readOnly);
}

void TEdit::SetPasswordChar(char passwordChar) {
    passwordChar_ = passwordChar;
    line_->setEchoMode(passwordChar ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::SelectAll() {
    line_->selectAll();
}

void TEdit::Change() {
    Fire(OnChange);
}
void TEdit::KeyDown(WORD& key, TShiftState shift) {
    Fire(OnKeyDown, key, shift);
}
void TEdit::KeyPress(char32_t& key) {
    Fire(OnKeyPress, key);
}
void TEdit::DoEnter() {
    Fire(OnEnter);
}
void TEdit::DoExit() {
    Fire(OnExit);
}
