#include "kitbase/window_hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"

// One per hooked widget, a child of it: the event filter that runs the hooks around the widget's own
// processing. The widget's other filters and its event handler run inside, through a second delivery
// of the same event that this filter lets pass.
class ControlHook : public QObject {
public:
    static ControlHook& For(QWidget& widget) {
        for (QObject* child : widget.children())
            if (auto* hook = dynamic_cast<ControlHook*>(child); hook && !hook->retired_) return *hook;
        return *new ControlHook(widget);
    }
    static ControlHook* Existing(QWidget& widget) {
        for (QObject* child : widget.children())
            if (auto* hook = dynamic_cast<ControlHook*>(child); hook && !hook->retired_) return hook;
        return nullptr;
    }

    void Add(TKxWindowHook& hook) {
        if (std::find(hooks_.begin(), hooks_.end(), &hook) == hooks_.end()) hooks_.push_back(&hook);
    }
    void Remove(TKxWindowHook& hook) {
        std::erase(hooks_, &hook);
        if (!hooks_.empty()) return;
        retired_ = true;
        widget_.removeEventFilter(this);
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (retired_ || hooks_.empty() || IsBeingDelivered(event)) return false;
        const std::vector<TKxWindowHook*> hooks = hooks_; // handlers may add or remove hooks
        bool handled = false;
        RunInReverse(
            hooks, [&](TKxWindowHook& hook) { RunHandler([&] { hook.DoBeforeMessage(*event, handled); }); },
            handled);
        if (handled) return true;
        QPointer<QObject> alive(this);
        delivering_.push_back(event);
        QCoreApplication::sendEvent(watched, event);
        if (!alive) return true;
        std::erase(delivering_, event);
        handled = false;
        RunInReverse(
            hooks, [&](TKxWindowHook& hook) { RunHandler([&] { hook.DoAfterMessage(*event, handled); }); },
            handled);
        return true;
    }

private:
    explicit ControlHook(QWidget& widget) : QObject(&widget), widget_(widget) {
        widget.installEventFilter(this);
    }

    bool IsBeingDelivered(QEvent* event) const {
        return std::find(delivering_.begin(), delivering_.end(), event) != delivering_.end();
    }

    template <class Call>
    void RunInReverse(const std::vector<TKxWindowHook*>& hooks, Call call, const bool& handled) {
        for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it)
            if (std::find(hooks_.begin(), hooks_.end(), *it) != hooks_.end()) call(**it);
    }

    QWidget& widget_;
    std::vector<TKxWindowHook*> hooks_;
    std::vector<QEvent*> delivering_;
    bool retired_ = false;
};

TKxWindowHook::~TKxWindowHook() {
    UnhookControl();
}

void TKxWindowHook::SetActive(bool active) {
    if (active)
        HookControl();
    else
        UnhookControl();
    active_ = active;
}

void TKxWindowHook::SetWinControl(QWidget* widget) {
    if (widget == control_) return;
    const bool active = active_;
    UnhookControl();
    control_ = widget;
    if (active) HookControl();
}

void TKxWindowHook::SetWinControl(TControl& control) {
    SetWinControl(control.Widget());
}

void TKxWindowHook::SetWinControl(TForm& form) {
    SetWinControl(form.Widget());
}

void TKxWindowHook::HookControl() {
    if (!control_) return;
    ControlHook::For(*control_).Add(*this);
    hooked_ = true;
    active_ = true;
}

void TKxWindowHook::UnhookControl() {
    if (hooked_ && control_)
        if (ControlHook* hook = ControlHook::Existing(*control_)) hook->Remove(*this);
    hooked_ = false;
    active_ = false;
}

void TKxWindowHook::DoBeforeMessage(QEvent& msg, bool& handled) {
    if (BeforeMessage) BeforeMessage(*this, msg, handled);
}

void TKxWindowHook::DoAfterMessage(QEvent& msg, bool& handled) {
    if (AfterMessage) AfterMessage(*this, msg, handled);
}
