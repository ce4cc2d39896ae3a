// The timer: ticks from its worker thread or the event loop, and a safe end while ticks are under way.
#include <QCoreApplication>
#include <atomic>
#include <thread>

#include "kitbase/kx_timer.h"
#include "platform/clock/clock.h"
#include "platform/forms/tests/fixture.h"
#include "platform/forms/tests/run_until.h"

namespace {

class KxTimerTest : public FormsTest {
protected:
    KxTimerTest() { SetTimeScale(0.01); } // 1000 ms run as 10 ms
    ~KxTimerTest() override { SetTimeScale(1.0); }
};

TEST_F(KxTimerTest, TicksArriveOnTheThreadThatTheSettingsChoose) {
    struct Case {
        bool threaded, syncEvent, onMainThread;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, true}, {false, false, true}};
    for (const Case& c : cases) {
        TKxTimer timer;
        timer.SetThreaded(c.threaded);
        timer.SetSyncEvent(c.syncEvent);
        std::atomic<int> ticks{0};
        std::atomic<bool> onMain{true};
        const auto mainThread = std::this_thread::get_id();
        timer.SetOnTimer([&] {
            if (std::this_thread::get_id() != mainThread) onMain = false;
            ++ticks;
        });
        EXPECT_TRUE(RunUntil([&] { return ticks >= 3; })) << c.threaded << c.syncEvent;
        timer.SetEnabled(false);
        EXPECT_EQ(onMain, c.onMainThread) << c.threaded << c.syncEvent;
    }
}

TEST_F(KxTimerTest, NoIntervalNoHandlerOrDisabledNeverTicks) {
    struct Case {
        unsigned interval;
        bool handler, enabled;
    } cases[] = {{0, true, true}, {1000, false, true}, {1000, true, false}};
    for (const Case& c : cases) {
        TKxTimer timer;
        int ticks = 0;
        timer.SetEnabled(c.enabled);
        timer.SetInterval(c.interval);
        if (c.handler) timer.SetOnTimer([&] { ++ticks; });
        RunFor(60);
        EXPECT_EQ(ticks, 0) << c.interval << c.handler << c.enabled;
        EXPECT_TRUE(timer.ThreadSuspended());
    }
}

TEST_F(KxTimerTest, SwitchingThreadedKeepsTheSettingsAndTheTicks) {
    TKxTimer timer;
    timer.SetInterval(500);
    int ticks = 0;
    timer.SetOnTimer([&] { ++ticks; });
    ASSERT_TRUE(RunUntil([&] { return ticks >= 2; }));
    timer.SetThreaded(false);
    EXPECT_TRUE(RunUntil([&] { return timer.ThreadSuspended(); }));
    ticks = 0;
    EXPECT_TRUE(RunUntil([&] { return ticks >= 2; }));
    timer.SetThreaded(true);
    ticks = 0;
    EXPECT_TRUE(RunUntil([&] { return ticks >= 2; }));
    EXPECT_EQ(timer.Interval(), 500u);
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(KxTimerTest, AQueuedTickIsDroppedWhenTheTimerStopsOrGoes) {
    for (bool destroy : {false, true}) {
        int ticks = 0;
        auto timer = std::make_unique<TKxTimer>();
        timer->SetInterval(100);
        timer->SetOnTimer([&] { ++ticks; });
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // ticks queue, the loop does not run
        if (destroy)
            timer.reset();
        else
            timer->SetEnabled(false);
        RunFor(30);
        EXPECT_EQ(ticks, 0) << destroy;
    }
}

TEST_F(KxTimerTest, DestroyedWhileItsWorkerRunsTheHandler) {
    auto started = std::make_shared<std::atomic<int>>(0);
    auto finished = std::make_shared<std::atomic<int>>(0);
    auto timer = std::make_unique<TKxTimer>();
    timer->SetSyncEvent(false);
    timer->SetInterval(100);
    timer->SetOnTimer([started, finished] {
        ++*started;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ++*finished;
    });
    ASSERT_TRUE(RunUntil([&] { return *started >= 1; }));
    timer.reset(); // waits for the handler
    EXPECT_EQ(started->load(), finished->load());
    const int after = *started;
    RunFor(40);
    EXPECT_EQ(started->load(), after);
}

TEST_F(KxTimerTest, DestroyedFromItsOwnHandlerOnEitherThread) {
    for (bool syncEvent : {true, false}) {
        std::atomic<TKxTimer*> self{new TKxTimer};
        std::atomic<int> ticks{0};
        self.load()->SetSyncEvent(syncEvent);
        self.load()->SetInterval(100);
        self.load()->SetOnTimer([&] {
            ++ticks;
            delete self.exchange(nullptr);
        });
        EXPECT_TRUE(RunUntil([&] { return self.load() == nullptr; })) << syncEvent;
        RunFor(40);
        EXPECT_EQ(ticks, 1) << syncEvent;
    }
}

TEST_F(KxTimerTest, SettingsChangedFromTheWorkersHandlerReachTheEventLoopTimer) {
    const auto main = std::this_thread::get_id();
    std::atomic<int> onWorker{0}, onMain{0};
    TKxTimer timer;
    timer.SetSyncEvent(false);
    timer.SetInterval(100);
    timer.SetOnTimer([&] {
        if (std::this_thread::get_id() == main) {
            ++onMain;
            return;
        }
        if (onWorker++ == 0) timer.SetThreaded(false);
    });
    EXPECT_TRUE(RunUntil([&] { return onMain >= 2; }));
    EXPECT_EQ(onWorker, 1);
    EXPECT_FALSE(timer.Threaded());
}

TEST_F(KxTimerTest, SynchronizeRunsOnTheMainThreadFromTheWorker) {
    TKxTimer timer;
    timer.SetSyncEvent(false);
    timer.SetInterval(100);
    const auto mainThread = std::this_thread::get_id();
    std::atomic<bool> ranOnMain{false};
    timer.SetOnTimer(
        [&] { timer.Synchronize([&] { ranOnMain = std::this_thread::get_id() == mainThread; }); });
    EXPECT_TRUE(RunUntil([&] { return ranOnMain.load(); }));
    timer.SetEnabled(false);
    bool direct = false;
    timer.Synchronize([&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST_F(KxTimerTest, AnErrorOfTheHandlerGoesToTheErrorBox) {
    for (bool syncEvent : {true, false}) {
        host.Clear();
        TKxTimer timer;
        timer.SetSyncEvent(syncEvent);
        timer.SetInterval(100);
        std::atomic<int> ticks{0};
        timer.SetOnTimer([&] {
            if (++ticks == 1) throw Exception("Timer broke");
        });
        EXPECT_TRUE(RunUntil([&] { return ticks >= 2 && !host.Messages().empty(); })) << syncEvent;
        timer.SetEnabled(false);
        RunFor(20);
        ASSERT_EQ(host.Messages().size(), 1u) << syncEvent;
        EXPECT_EQ(host.Messages()[0].text, "Timer broke.");
    }
}

} // namespace
