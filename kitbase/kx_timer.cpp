#include "kitbase/kx_timer.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

#include "platform/clock/clock.h"
#include "platform/forms/application.h"
#include "platform/forms/thread_post.h"

// Everything the worker thread and the user-interface thread share, guarded by one mutex. It outlives
// the timer as long as the worker or a queued tick holds it.
struct TKxTimer::Shared {
    std::mutex lock;
    std::condition_variable changed;
    TKxTimer* owner = nullptr; // cleared when the timer is destroyed
    bool enabled = true;
    unsigned interval = 1000;
    bool syncEvent = true;
    bool threaded = true;
    TThreadPriority priority = tpNormal;
    std::shared_ptr<const TNotifyEvent> onTimer;
    bool runnable = false;   // the worker may tick
    bool terminated = false; // the worker ends
    bool suspended = true;   // the worker waits for runnable
    bool tickQueued = false; // a tick waits in the event loop
    unsigned generation = 0; // changes with every setting; older queued ticks are dropped
    std::thread::id workerId;

    // The settings let the worker tick.
    bool ThreadTicks() const { return threaded && enabled && interval != 0 && onTimer; }
};

namespace {

int NicenessOf(TThreadPriority priority) {
    static const int niceness[] = {19, 10, 5, 0, -5, -10, -20};
    return niceness[priority];
}

// Runs a function on the user-interface thread; dropped when there is no event loop.
void PostToUi(std::function<void()> task) {
    if (auto* app = QCoreApplication::instance()) PostToThreadOf(app, std::move(task));
}

void ReportOnUi(std::exception_ptr error) {
    PostToUi([error] {
        if (Application) Application->HandleException(error);
    });
}

} // namespace

class TKxTimer::Worker {
public:
    explicit Worker(std::shared_ptr<Shared> shared) : thread_([shared] { Loop(shared); }) {}
    ~Worker() {
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach(); // destroyed from its own OnTimer: it ends by itself
        else
            thread_.join();
    }

private:
    static void Loop(std::shared_ptr<Shared> s) {
        std::unique_lock guard(s->lock);
        s->workerId = std::this_thread::get_id();
        TThreadPriority applied = tpNormal;
        while (!s->terminated) {
            if (!s->runnable) {
                s->suspended = true;
                s->changed.wait(guard, [&] { return s->terminated || s->runnable; });
                s->suspended = false;
                continue;
            }
            if (s->priority != applied) {
                applied = s->priority;
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), NicenessOf(applied));
            }
            const unsigned generation = s->generation;
            const auto interval = std::chrono::milliseconds(ScaledMs(s->interval));
            if (s->changed.wait_for(guard, interval,
                                    [&] { return s->terminated || s->generation != generation; }))
                continue; // a new setting starts the interval again
            Tick(s, guard, generation);
        }
    }

    static void Tick(const std::shared_ptr<Shared>& s, std::unique_lock<std::mutex>& guard,
                     unsigned generation) {
        if (s->syncEvent) {
            if (s->tickQueued) return; // the event loop has not taken the last one yet
            s->tickQueued = true;
            PostToUi([weak = std::weak_ptr<Shared>(s), generation] { Deliver(weak, generation); });
            return;
        }
        const auto handler = s->onTimer;
        guard.unlock();
        try {
            (*handler)();
        } catch (...) {
            ReportOnUi(std::current_exception());
        }
        guard.lock();
    }

    static void Deliver(const std::weak_ptr<Shared>& weak, unsigned generation) {
        const auto s = weak.lock();
        if (!s) return;
        TKxTimer* owner;
        {
            std::lock_guard guard(s->lock);
            s->tickQueued = false;
            if (s->generation != generation || !s->owner) return;
            owner = s->owner;
        }
        owner->Timer();
    }

    std::thread thread_;
};

namespace {

bool OnThreadOf(const QObject& object) {
    return object.thread() == QThread::currentThread();
}

} // namespace

// The event-loop timer lives on the user-interface thread and is only touched there: it starts or
// stops after the settings as they are when it gets to run, and never once the timer is gone.
void TKxTimer::ApplyWindowTimer(QTimer& timer, Shared& s) {
    bool run;
    unsigned interval;
    {
        std::lock_guard guard(s.lock);
        interval = s.interval;
        run = s.owner && !s.threaded && s.enabled && interval != 0 && s.onTimer;
    }
    timer.stop();
    if (run) timer.start(static_cast<int>(ScaledMs(interval)));
}

TKxTimer::TKxTimer() : shared_(std::make_shared<Shared>()), windowTimer_(std::make_unique<QTimer>()) {
    shared_->owner = this;
    QObject::connect(windowTimer_.get(), &QTimer::timeout, [weak = std::weak_ptr<Shared>(shared_)] {
        const auto s = weak.lock();
        TKxTimer* owner = nullptr;
        if (s) {
            std::lock_guard guard(s->lock);
            owner = s->owner;
        }
        if (owner) owner->Timer();
    });
}

// Destroyed from its own OnTimer on the worker thread, the timer leaves its event-loop timer to the
// user-interface thread to delete, and the worker ends by itself.
TKxTimer::~TKxTimer() {
    {
        std::lock_guard guard(shared_->lock);
        shared_->owner = nullptr;
        shared_->terminated = true;
        shared_->onTimer.reset();
        ++shared_->generation;
    }
    shared_->changed.notify_all();
    if (OnThreadOf(*windowTimer_))
        windowTimer_.reset();
    else
        windowTimer_.release()->deleteLater();
    worker_.reset();
}

template <class T> T TKxTimer::Read(T Shared::*field) const {
    std::lock_guard guard(shared_->lock);
    return (*shared_).*field;
}

template <class T> void TKxTimer::Write(T Shared::*field, T value) {
    {
        std::lock_guard guard(shared_->lock);
        (*shared_).*field = value;
    }
    UpdateTimer();
}

bool TKxTimer::Enabled() const {
    return Read(&Shared::enabled);
}
void TKxTimer::SetEnabled(bool enabled) {
    Write(&Shared::enabled, enabled);
}
unsigned TKxTimer::Interval() const {
    return Read(&Shared::interval);
}
void TKxTimer::SetInterval(unsigned ms) {
    Write(&Shared::interval, ms);
}
bool TKxTimer::SyncEvent() const {
    return Read(&Shared::syncEvent);
}
void TKxTimer::SetSyncEvent(bool sync) {
    Write(&Shared::syncEvent, sync);
}
bool TKxTimer::Threaded() const {
    return Read(&Shared::threaded);
}
void TKxTimer::SetThreaded(bool threaded) {
    Write(&Shared::threaded, threaded);
}
TThreadPriority TKxTimer::ThreadPriority() const {
    return Read(&Shared::priority);
}
void TKxTimer::SetThreadPriority(TThreadPriority priority) {
    Write(&Shared::priority, priority);
}

const TNotifyEvent& TKxTimer::OnTimer() const {
    static const TNotifyEvent none;
    std::lock_guard guard(shared_->lock);
    return shared_->onTimer ? *shared_->onTimer : none;
}

void TKxTimer::SetOnTimer(TNotifyEvent handler) {
    {
        std::lock_guard guard(shared_->lock);
        shared_->onTimer = handler ? std::make_shared<const TNotifyEvent>(std::move(handler)) : nullptr;
    }
    UpdateTimer();
}

bool TKxTimer::ThreadSuspended() const {
    std::lock_guard guard(shared_->lock);
    return !worker_ || shared_->suspended;
}

// The worker is woken last: once it may tick, its handler may destroy this timer on the worker
// thread, so nothing after that touches the timer. A setting that stops the ticks stops them at once.
void TKxTimer::UpdateTimer() {
    const std::shared_ptr<Shared> s = shared_;
    bool threadTicks;
    {
        std::lock_guard guard(s->lock);
        ++s->generation;
        threadTicks = s->ThreadTicks();
        if (!threadTicks) s->runnable = false;
    }
    if (OnThreadOf(*windowTimer_)) {
        ApplyWindowTimer(*windowTimer_, *s);
    } else {
        // A setting changed from OnTimer on the worker: the user-interface thread applies it.
        PostToThreadOf(windowTimer_.get(), [timer = windowTimer_.get(), weak = std::weak_ptr<Shared>(s)] {
            if (const auto alive = weak.lock()) ApplyWindowTimer(*timer, *alive);
        });
    }
    if (threadTicks && !worker_) worker_ = std::make_unique<Worker>(s);
    {
        std::lock_guard guard(s->lock);
        s->runnable = s->ThreadTicks();
    }
    s->changed.notify_all();
}

void TKxTimer::Timer() {
    std::shared_ptr<const TNotifyEvent> handler;
    {
        std::lock_guard guard(shared_->lock);
        if (!shared_->enabled || !shared_->owner) return;
        handler = shared_->onTimer;
    }
    if (handler) Fire(*handler);
}

void TKxTimer::Synchronize(const std::function<void()>& method) {
    const std::shared_ptr<Shared> s = shared_;
    std::unique_lock guard(s->lock);
    const bool onRunningWorker = s->workerId == std::this_thread::get_id() && !s->terminated;
    if (!onRunningWorker) {
        guard.unlock();
        method();
        return;
    }
    auto done = std::make_shared<bool>(false);
    PostToUi([weak = std::weak_ptr<Shared>(s), method, done] {
        const auto alive = weak.lock();
        if (!alive) return;
        {
            std::lock_guard check(alive->lock);
            if (alive->terminated) return;
        }
        RunHandler(method);
        {
            std::lock_guard finished(alive->lock);
            *done = true;
        }
        alive->changed.notify_all();
    });
    s->changed.wait(guard, [&] { return *done || s->terminated; });
}
