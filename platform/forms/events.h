#pragma once
// Every event of a window or control runs through RunHandler: an exception that escapes the
// handler cannot travel through Qt's event loop, so it is caught here and shown by the
// application object's error box, and the program goes on.
#include <functional>
#include <utility>

void RunHandler(const std::function<void()>& handler);

// Calls an event if one is bound, through RunHandler.
template <class... Params, class... Args>
void Fire(const std::function<void(Params...)>& event, Args&&... args) {
    if (!event) return;
    RunHandler([&] { event(std::forward<Args>(args)...); });
}

// The event types of the library.
using TNotifyEvent = std::function<void()>;
