#include "platform/forms/control.h"

#include <QVariant>

#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"

QString ToQ(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQ(const QString& text) {
    return text.toUtf8().toStdString();
}

TControl::TControl(QWidget* widget) : widget_(widget) {
    // Lets a window find the control behind its focus widget (ActiveControl).
    widget->setProperty("kaltorControl", QVariant::fromValue(static_cast<void*>(this)));
}

// A focused widget gets a focus-out event while it is deleted. By then its window's later members
// are gone, so the handlers of this widget and of every widget inside it are switched off first.
TControl::~TControl() {
    if (!widget_) return;
    for (QObject* child : widget_->findChildren<QObject*>())
        if (auto* hook = dynamic_cast<EventHook*>(child)) hook->Disable();
    delete widget_.data();
}

bool TControl::Enabled() const {
    return widget_ && !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void TControl::SetEnabled(bool enabled) {
    if (widget_) widget_->setEnabled(enabled);
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    if (widget_ && widget_->parentWidget()) widget_->setVisible(visible);
}

bool TControl::CanOperate() const {
    return widget_ && widget_->isEnabled();
}

std::string TControl::Hint() const {
    return widget_ ? FromQ(widget_->toolTip()) : std::string();
}

void TControl::SetHint(const std::string& hint) {
    if (widget_) widget_->setToolTip(ToQ(hint));
}

std::string TControl::Name() const {
    return widget_ ? FromQ(widget_->objectName()) : std::string();
}

void TControl::SetName(const std::string& name) {
    if (widget_) widget_->setObjectName(ToQ(name));
}

int TControl::Left() const {
    return widget_ ? widget_->x() : 0;
}
int TControl::Top() const {
    return widget_ ? widget_->y() : 0;
}
int TControl::Width() const {
    return widget_ ? widget_->width() : 0;
}
int TControl::Height() const {
    return widget_ ? widget_->height() : 0;
}

void TControl::SetWidth(int width) {
    if (widget_) widget_->setFixedWidth(width);
}

void TControl::SetHeight(int height) {
    if (widget_) widget_->setFixedHeight(height);
}

void TControl::SetFocus() {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

// The window's focus widget, whether or not the window itself is active (the same offscreen).
bool TControl::Focused() const {
    return widget_ && widget_->window()->focusWidget() == widget_;
}

void TControl::Repaint() {
    if (widget_ && widget_->isVisible()) widget_->repaint();
}

TForm* TControl::ParentForm() const {
    return widget_ ? TForm::FormOf(widget_) : nullptr;
}

void TControl::Placed() {
    if (widget_ && widget_->parentWidget()) widget_->setVisible(visible_);
}
