#include "platform/forms/thread_post.h"

#include <QMetaObject>
#include <QObject>

#if defined(__SANITIZE_THREAD__)
#define KALTOR_SHOW_HAND_OVER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KALTOR_SHOW_HAND_OVER 1
#endif
#endif

#ifdef KALTOR_SHOW_HAND_OVER
#include <mutex>

namespace {
std::mutex handOver;
} // namespace

// The event is queued while the lock is held, so whoever takes the lock after finding the event
// comes after everything the poster did before posting.
void PostToThreadOf(QObject* receiver, std::function<void()> task) {
    std::lock_guard lock(handOver);
    QMetaObject::invokeMethod(receiver, std::move(task), Qt::QueuedConnection);
}

void AcceptPostedEvent() {
    std::lock_guard lock(handOver);
}
#else
void PostToThreadOf(QObject* receiver, std::function<void()> task) {
    QMetaObject::invokeMethod(receiver, std::move(task), Qt::QueuedConnection);
}

void AcceptPostedEvent() {}
#endif
