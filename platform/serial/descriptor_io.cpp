#include "platform/serial/descriptor_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <unistd.h>

namespace {

WaitResult WaitFor(int fd, short event, int64_t timeoutMs) {
    pollfd entry{fd, event, 0};
    const int ms = static_cast<int>(std::clamp<int64_t>(timeoutMs, 0, INT_MAX));
    int ready;
    do {
        ready = ::poll(&entry, 1, ms);
    } while (ready < 0 && errno == EINTR); // the caller's loop recomputes what is left of its time-out
    if (ready < 0) return WaitResult::Failed;
    if (ready == 0) return WaitResult::TimedOut;
    if (entry.revents & event) return WaitResult::Ready; // bytes left behind a hang-up are still read
    return WaitResult::Failed;                           // POLLHUP, POLLERR or POLLNVAL alone
}

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

} // namespace

WaitResult WaitReadable(int fd, int64_t timeoutMs) {
    return WaitFor(fd, POLLIN, timeoutMs);
}

WaitResult WaitWritable(int fd, int64_t timeoutMs) {
    return WaitFor(fd, POLLOUT, timeoutMs);
}

long ReadNow(int fd, char* buffer, size_t count) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, count);
        if (n >= 0) return static_cast<long>(n);
        if (WouldBlock(errno)) return 0;
        if (errno != EINTR) return -1;
    }
}

long WriteNow(int fd, const char* data, size_t count) {
    for (;;) {
        const ssize_t n = ::write(fd, data, count);
        if (n >= 0) return static_cast<long>(n);
        if (WouldBlock(errno)) return 0;
        if (errno != EINTR) return -1;
    }
}
