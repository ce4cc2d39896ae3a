#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled (enabled, 1000 ms by default).
// The interval runs through the clock's time scale, so tests can make it short.
#include <memory>

#include "platform/forms/events.h"

class QTimer;

class TTimer {
public:
    TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer();

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms); // 0 stops the timer
    TNotifyEvent OnTimer;

private:
    void Update();
    std::unique_ptr<QTimer> timer_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};
