#include "platform/forms/event_hook.h"

#include <QKeyEvent>

#include "platform/forms/events.h"
#include "platform/forms/keys.h"

EventHook::EventHook(QObject* watched, std::function<bool(QEvent&)> filter)
    : QObject(watched), filter_(std::move(filter)) {
    watched->installEventFilter(this);
}

bool EventHook::eventFilter(QObject*, QEvent* event) {
    return filter_(*event);
}

bool DispatchKeyPress(QKeyEvent& event, const std::function<void(WORD&, TShiftState)>& onKeyDown,
                      const std::function<void(char32_t&)>& onKeyPress,
                      const std::function<void(const QString&)>& insert) {
    if (onKeyDown) {
        WORD key = VirtualKeyOf(event);
        if (key != 0) {
            Fire(onKeyDown, key, ShiftOf(event));
            if (key == 0) return true;
        }
    }
    if (!onKeyPress) return false;
    const char32_t typed = KeyCharOf(event);
    if (typed == 0) return false;
    char32_t key = typed;
    Fire(onKeyPress, key);
    if (key == 0) return true;
    if (key == typed) return false;
    if (insert && key >= 32) insert(QString::fromUcs4(&key, 1));
    return true;
}
