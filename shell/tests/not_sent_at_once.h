#pragma once
// A command on a link that is not open is refused as not sent at once: no read loop, no resend
// wait, nothing reaching the register.
#include <gtest/gtest.h>

#include <functional>

#include "driver/driver.h"
#include "platform/clock/clock.h"
#include "shell/session.h"
#include "tools/regsim/register_simulator.h"

// The waits of the program's clock while the action runs (a resend wait is one).
inline int SleepsDuring(const std::function<void()>& action) {
    int sleeps = 0;
    SetSleepHook([&](unsigned) { ++sleeps; });
    action();
    SetSleepHook({});
    return sleeps;
}

// The diagnostic query, sent now.
inline void ExpectCommandNotSentAtOnce(regsim::RegisterSimulator& sim) {
    sim.ClearFrames();
    const AnswerRecord* answer = nullptr;
    EXPECT_EQ(SleepsDuring([&] { answer = GetDiagnosticInfo(DefaultPassword, nullptr); }), 0);
    EXPECT_TRUE(answer->NotSent());
    EXPECT_EQ(sim.FrameCount(), 0u);
}
