#include "platform/clock/clock.h"

#include <gtest/gtest.h>

TEST(Clock, ScaleShortensWaitsButNeverToZero) {
    SetTimeScale(0.01);
    EXPECT_EQ(ScaledMs(2000), 20u);
    EXPECT_EQ(ScaledMs(50), 1u);
    EXPECT_EQ(ScaledMs(0), 0u);
    const int64_t start = MonotonicMs();
    Sleep(3000);
    EXPECT_LT(MonotonicMs() - start, 1000);
    SetTimeScale(1.0);
    EXPECT_EQ(ScaledMs(2000), 2000u);
}

TEST(Clock, FixedLocalClockReplacesTheRealOneUntilCleared) {
    SetLocalClock([] { return LocalDateTime{2026, 3, 7, 9, 5, 3, 0}; });
    EXPECT_EQ(LocalNow().Day, 7);
    EXPECT_EQ(LocalNow().Hour, 9);
    SetLocalClock({});
    EXPECT_GE(LocalNow().Year, 2024);
}

TEST(Clock, WaitHookRunsBeforeEveryWaitUntilRemoved) {
    int calls = 0;
    SetWaitHook([&] { ++calls; });
    SetTimeScale(0.01);
    ScaledMs(100);
    Sleep(100);
    EXPECT_EQ(calls, 2);
    SetWaitHook({});
    Sleep(100);
    SetTimeScale(1.0);
    EXPECT_EQ(calls, 2);
}
