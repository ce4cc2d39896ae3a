#pragma once
// TKxTimer: calls OnTimer every Interval milliseconds while Enabled, either from a worker thread of its
// own (Threaded, the default) or from the event loop. With SyncEvent (the default) the worker's ticks
// are delivered to the user-interface thread; without it OnTimer runs on the worker thread and must be
// safe there. Intervals run through the clock's time scale.
//
// The worker never waits for the user-interface thread, so stopping or destroying the timer can always
// wait for the worker to end (a timer destroyed from its own OnTimer on the worker lets the worker end
// on its own). A tick already queued for the user-interface thread is dropped when the timer is stopped,
// reconfigured or destroyed before it arrives.
#include <memory>

#include "platform/forms/events.h"

class QTimer;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TKxTimer {
public:
    TKxTimer();
    TKxTimer(const TKxTimer&) = delete;
    TKxTimer& operator=(const TKxTimer&) = delete;
    virtual ~TKxTimer();

    bool Enabled() const;
    void SetEnabled(bool enabled);
    unsigned Interval() const;
    void SetInterval(unsigned ms); // 0 never fires
    bool SyncEvent() const;
    void SetSyncEvent(bool sync);
    bool Threaded() const;
    void SetThreaded(bool threaded);
    // The worker's scheduling niceness follows it; raising it above normal needs privileges that an
    // ordinary user lacks, and is then left as it is.
    TThreadPriority ThreadPriority() const;
    void SetThreadPriority(TThreadPriority priority);
    const TNotifyEvent& OnTimer() const;
    void SetOnTimer(TNotifyEvent handler);

    // Runs method on the user-interface thread and waits for it when called on the running worker
    // thread; otherwise calls it directly. Returns without running it when the timer stops first.
    void Synchronize(const std::function<void()>& method);
    // True while the worker thread waits for a setting that lets it tick (threaded mode only).
    bool ThreadSuspended() const;

protected:
    // Fires OnTimer when Enabled, not being destroyed and set.
    virtual void Timer();

private:
    struct Shared;
    class Worker;
    template <class T> T Read(T Shared::*field) const;
    template <class T> void Write(T Shared::*field, T value);
    void UpdateTimer();
    static void ApplyWindowTimer(QTimer& timer, Shared& s);
    void StartWorker();
    void StopWorker();

    std::shared_ptr<Shared> shared_;
    std::unique_ptr<QTimer> windowTimer_;
    std::unique_ptr<Worker> worker_;
};
