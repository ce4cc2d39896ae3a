#pragma once
// TKxWindowHook: lets its owner see every event of a control (or window) before and after the
// control's own processing (its widget's event filters included), through the application's event
// dispatch (platform/forms/event_delivery.h); each event is delivered once. Several hooks may watch
// one control: BeforeMessage handlers run from the hook added last to the first, and one that sets
// handled keeps the event from the control and from the other hooks' BeforeMessage; after the control
// has processed an event, the AfterMessage handlers run in the same order.
//
// A hook follows its control's life: when the control's widget is destroyed, WinControl() becomes
// nullptr for every hook that watched it.
#include <QPointer>
#include <functional>

class QEvent;
class QWidget;
class TControl;
class TForm;
class TKxWindowHook;

using THookMessageEvent = std::function<void(TKxWindowHook& sender, QEvent& msg, bool& handled)>;

class TKxWindowHook {
public:
    TKxWindowHook() = default;
    TKxWindowHook(const TKxWindowHook&) = delete;
    TKxWindowHook& operator=(const TKxWindowHook&) = delete;
    virtual ~TKxWindowHook();

    // True by default; switching it hooks or unhooks the control.
    bool Active() const { return active_; }
    void SetActive(bool active);
    QWidget* WinControl() const { return control_; }
    // Unhooks the old control and hooks the new one when Active.
    void SetWinControl(QWidget* widget);
    void SetWinControl(TControl& control);
    void SetWinControl(TForm& form);

    void HookControl();
    void UnhookControl();

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

protected:
    friend class ControlHook;
    virtual void DoBeforeMessage(QEvent& msg, bool& handled);
    virtual void DoAfterMessage(QEvent& msg, bool& handled);

private:
    QPointer<QWidget> control_;
    bool active_ = true;
    bool hooked_ = false;
};
