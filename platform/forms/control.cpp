#include "platform/forms/control.h"

#include <QChildEvent>
#include <QEvent>
#include <QVariant>
#include <vector>

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
// are gone, so the handlers of this widget and of every widget inside it are taken away first.
TControl::~TControl() {
    if (!widget_) return;
    // EventHook has no meta-object of its own, so it is told from other children by its C++ type.
    std::vector<EventHook*> hooks;
    for (QObject* child : widget_->findChildren<QObject*>())
        if (auto* hook = dynamic_cast<EventHook*>(child)) hooks.push_back(hook);
    for (EventHook* hook : hooks)
        delete hook;
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

namespace {

const char* const DisplayOnlyProperty = "kaltorDisplayOnly";
const char* const FocusPolicyProperty = "kaltorFocusPolicy";

// Swallows the input of a display-only widget and of every widget that comes into it later.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QObject* parent) : QObject(parent) {}
    void Block(QWidget* widget) {
        widget->installEventFilter(this);
        if (!widget->property(FocusPolicyProperty).isValid())
            widget->setProperty(FocusPolicyProperty, static_cast<int>(widget->focusPolicy()));
        widget->setFocusPolicy(Qt::NoFocus);
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            Block(child);
    }
    void Unblock(QWidget* widget) {
        widget->removeEventFilter(this);
        const QVariant policy = widget->property(FocusPolicyProperty);
        if (policy.isValid()) widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy.toInt()));
        widget->setProperty(FocusPolicyProperty, QVariant());
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            Unblock(child);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
            return true;
        case QEvent::ChildAdded:
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) Block(child);
            return false;
        default:
            return false;
        }
    }
};

bool InsideDisplayOnly(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (widget->property(DisplayOnlyProperty).toBool()) return true;
    return false;
}

} // namespace

bool TControl::CanOperate() const {
    return widget_ && widget_->isEnabled() && !InsideDisplayOnly(widget_);
}

bool TControl::DisplayOnly() const {
    return widget_ && widget_->property(DisplayOnlyProperty).toBool();
}

void TControl::SetDisplayOnly(bool displayOnly) {
    if (!widget_ || displayOnly == DisplayOnly()) return;
    widget_->setProperty(DisplayOnlyProperty, displayOnly);
    // InputBlocker has no meta-object of its own: it is told from the other children by its C++ type.
    InputBlocker* blocker = nullptr;
    for (QObject* child : widget_->children())
        if (auto* found = dynamic_cast<InputBlocker*>(child)) blocker = found;
    if (displayOnly) {
        if (!blocker) blocker = new InputBlocker(widget_);
        blocker->Block(widget_);
    } else if (blocker) {
        blocker->Unblock(widget_);
    }
}

void TControl::SetMinWidthChars(int chars) {
    if (widget_)
        widget_->setMinimumWidth(widget_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 16);
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
