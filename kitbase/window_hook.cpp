#include "kitbase/window_hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/event_delivery.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"

// One per hooked widget, a child of it: runs the hooks around the widget's delivery of each event (its
// event filters and its own processing), which the application's event dispatch hands to it. Nothing
// is delivered twice: the hooks wrap the one delivery.
class ControlHook : public QObject {
public:
    static ControlHook& For(QWidget& widget) {
        if (ControlHook* hook = Existing(widget)) return *hook;
        return *new ControlHook(widget);
    }
    static ControlHook* Existing(QObject& widget) {
        const auto found = Hooked().find(&widget);
        return found == Hooked().end() ? nullptr : found->second;
    }

    void Add(TKxWindowHook& hook) {
        if (std::find(hooks_.begin(), hooks_.end(), &hook) == hooks_.end()) hooks_.push_back(&hook);
    }
    void Remove(TKxWindowHook& hook) {
        std::erase(hooks_, &hook);
        if (!hooks_.empty()) return;
        Hooked().erase(&widget_);
        deleteLater();
    }
    ~ControlHook() override {
        const auto found = Hooked().find(&widget_);
        if (found != Hooked().end() && found->second == this) Hooked().erase(found);
    }

private:
    explicit ControlHook(QWidget& widget) : QObject(&widget), widget_(widget) {
        Hooked()[&widget] = this;
        static const bool installed = [] {
            SetEventDeliveryWrapper(&ControlHook::Deliver);
            return true;
        }();
        (void)installed;
    }

    static std::unordered_map<const QObject*, ControlHook*>& Hooked() {
        static std::unordered_map<const QObject*, ControlHook*> hooked;
        return hooked;
    }

    static bool Deliver(QObject* receiver, QEvent* event, const std::function<bool()>& deliver) {
        ControlHook* hook = Existing(*receiver);
        return hook ? hook->Around(*event, deliver) : deliver();
    }

    bool Around(QEvent& event, const std::function<bool()>& deliver) {
        if (hooks_.empty()) return deliver();
        const std::vector<TKxWindowHook*> hooks = hooks_; // handlers may add or remove hooks
        bool handled = false;
        RunInReverse(
            hooks, [&](TKxWindowHook& hook) { RunHandler([&] { hook.DoBeforeMessage(event, handled); }); },
            handled);
        if (handled) return true;
        QPointer<QObject> alive(this);
        const bool result = deliver();
        if (!alive) return result;
        handled = false;
        RunInReverse(
            hooks, [&](TKxWindowHook& hook) { RunHandler([&] { hook.DoAfterMessage(event, handled); }); },
            handled);
        return result;
    }

    template <class Call>
    void RunInReverse(const std::vector<TKxWindowHook*>& hooks, Call call, const bool& handled) {
        for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it)
            if (std::find(hooks_.begin(), hooks_.end(), *it) != hooks_.end()) call(**it);
    }

    QWidget& widget_;
    std::vector<TKxWindowHook*> hooks_;
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
