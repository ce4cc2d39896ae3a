#include "platform/clock/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

namespace {
std::atomic<double> timeScale{1.0};
std::mutex clockMutex;
std::function<LocalDateTime()> localClock;
std::function<void(unsigned)> sleepHook;
std::function<void()> waitHook;
std::atomic<bool> waitHooked{false}; // the program's waits take no lock

LocalDateTime SystemLocalNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,       parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     static_cast<int>(ms)};
}
} // namespace

unsigned ScaledMs(unsigned ms) {
    if (waitHooked.load()) {
        std::function<void()> hook;
        {
            std::lock_guard lock(clockMutex);
            hook = waitHook;
        }
        if (hook) hook();
    }
    if (ms == 0) return 0;
    const double scaled = ms * timeScale.load();
    return scaled < 1.0 ? 1u : static_cast<unsigned>(scaled);
}

void Sleep(unsigned ms) {
    std::function<void(unsigned)> hook;
    {
        std::lock_guard lock(clockMutex);
        hook = sleepHook;
    }
    if (hook) hook(ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(ScaledMs(ms)));
}

void SetSleepHook(std::function<void(unsigned ms)> hook) {
    std::lock_guard lock(clockMutex);
    sleepHook = std::move(hook);
}

void SetWaitHook(std::function<void()> hook) {
    std::lock_guard lock(clockMutex);
    waitHooked.store(static_cast<bool>(hook));
    waitHook = std::move(hook);
}

void SetTimeScale(double scale) {
    timeScale.store(scale > 0 ? scale : 1.0);
}
double TimeScale() {
    return timeScale.load();
}

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

LocalDateTime LocalNow() {
    std::lock_guard lock(clockMutex);
    return localClock ? localClock() : SystemLocalNow();
}

void SetLocalClock(std::function<LocalDateTime()> clock) {
    std::lock_guard lock(clockMutex);
    localClock = std::move(clock);
}
