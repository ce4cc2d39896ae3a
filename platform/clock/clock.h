#pragma once
// Every wait and time-out of the program goes through here, so that tests can run them
// at a fraction of their length. The program itself never changes the scale.
#include <cstdint>
#include <functional>

struct LocalDateTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Sleeps for ms milliseconds, scaled by the time scale.
void Sleep(unsigned ms);
// Tests: runs at the start of every Sleep, on the sleeping thread (an empty function removes it).
void SetSleepHook(std::function<void(unsigned ms)> hook);

// A duration of ms milliseconds as it runs now (ms times the time scale, at least 1 when ms > 0).
// Every wait of the program takes its length from here (Sleep too), just before it begins.
unsigned ScaledMs(unsigned ms);
// Tests: runs at the start of every ScaledMs, on the waiting thread, so that a test can hold each wait
// back until its simulated peer has done its work (an empty function removes it).
void SetWaitHook(std::function<void()> hook);

// 1.0 for the program; a test may set 0.01 to run every wait at a hundredth of its length.
void SetTimeScale(double scale);
double TimeScale();

// Milliseconds of a steady clock, for measuring elapsed time.
int64_t MonotonicMs();

// The local wall clock; tests can put a fixed clock in its place (an empty function restores the real one).
LocalDateTime LocalNow();
void SetLocalClock(std::function<LocalDateTime()> clock);
