#pragma once
#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/clock/clock.h"

// Lets the event loop run until done() holds or limitMs of real time have passed, and says whether it
// holds. Tests of timers run with a small time scale, so their waits are short; the limit is only
// there so that a fault ends the test instead of hanging it.
inline bool RunUntil(const std::function<bool()>& done, int limitMs = 3000) {
    const int64_t end = MonotonicMs() + limitMs;
    while (!done() && MonotonicMs() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // other threads' turn
    }
    return done();
}

// Lets the event loop run for ms of real time.
inline void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}
