#pragma once
// A Qt event filter that calls a function (internal to the form layer): the controls use it for the
// events Qt has no signal for (keys, focus, clicks on labels).
#include <QEvent>
#include <QObject>
#include <functional>

#include "platform/forms/types.h"

class QKeyEvent;

class EventHook : public QObject {
public:
    // The filter returns true to swallow the event.
    EventHook(QObject* watched, std::function<bool(QEvent&)> filter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QEvent&)> filter_;
};

// The library's key events for a Qt key press: OnKeyDown, then OnKeyPress. Returns true when the
// press is swallowed; a character changed by OnKeyPress is typed through insert.
bool DispatchKeyPress(QKeyEvent& event, const std::function<void(WORD&, TShiftState)>& onKeyDown,
                      const std::function<void(char32_t&)>& onKeyPress,
                      const std::function<void(const QString&)>& insert);
