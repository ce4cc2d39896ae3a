#include "tools/ptyserve/pty_server.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace ptyserve {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

// The master end we serve, a slave end we hold so that the master never sees a hang-up while no
// client has the port open, and an event that wakes the serving thread to stop.
struct PtyServer::Io {
    int master = -1;
    int slave = -1;
    int wake = -1;

    ~Io() {
        CloseFd(master);
        CloseFd(slave);
        CloseFd(wake);
    }
};

// Marks the serving thread busy from before it takes bytes until it has handled them.
class PtyServer::Handling {
public:
    explicit Handling(PtyServer& server) : server_(server) { Set(true); }
    ~Handling() {
        Set(false);
        server_.idleChanged_.notify_all();
    }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

private:
    void Set(bool on) {
        std::lock_guard lock(server_.idleLock_);
        server_.handling_ = on;
    }
    PtyServer& server_;
};

PtyServer::PtyServer() = default;

PtyServer::~PtyServer() {
    Stop();
}

bool PtyServer::Start() {
    if (io_) return true;
    auto io = std::make_unique<Io>();
    char path[128] = {};
    io->master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (io->master < 0 || grantpt(io->master) != 0 || unlockpt(io->master) != 0 ||
        ptsname_r(io->master, path, sizeof path) != 0) {
        startError_ = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    io->slave = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    io->wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (io->slave < 0 || io->wake < 0 || !MakeRaw(io->slave) || !MakeRaw(io->master) ||
        fcntl(io->master, F_SETFL, fcntl(io->master, F_GETFL) | O_NONBLOCK) != 0) {
        startError_ = std::string("pseudo-terminal set-up failed: ") + std::strerror(errno);
        return false;
    }
    portPath_ = path;
    io_ = std::move(io);
    {
        std::lock_guard lock(idleLock_);
        serving_ = true;
    }
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void PtyServer::Stop() {
    if (!io_) return;
    {
        std::lock_guard lock(idleLock_);
        serving_ = false;
    }
    idleChanged_.notify_all();
    const uint64_t one = 1;
    if (write(io_->wake, &one, sizeof one) < 0) perror("pty server: wake");
    if (thread_.joinable()) thread_.join();
    io_.reset();
}

void PtyServer::Serve() {
    char buffer[4096];
    for (;;) {
        pollfd waits[2] = {{io_->master, POLLIN, 0}, {io_->wake, POLLIN, 0}};
        const int ready = poll(waits, 2, IdleTimeoutMs());
        if (ready < 0 && errno != EINTR) return;
        if (waits[1].revents != 0) return;
        if (ready == 0) {
            const Handling handling(*this);
            OnIdle();
            continue;
        }
        if (waits[0].revents == 0) continue;
        // Marked before the read, so that bytes are always either waiting or being handled.
        const Handling handling(*this);
        const ssize_t count = read(io_->master, buffer, sizeof buffer);
        if (count <= 0) {
            // Cannot happen while we hold the slave open; still, never spin on a broken terminal.
            if (count < 0 && errno != EAGAIN && errno != EINTR && WaitForStop(50)) return;
            continue;
        }
        OnBytes(buffer, static_cast<size_t>(count));
    }
}

// A poll of the terminal moves whatever the kernel still holds on its way into the readable buffer.
bool PtyServer::BytesWaiting() const {
    pollfd wait{io_->master, POLLIN, 0};
    return poll(&wait, 1, 0) > 0 && (wait.revents & POLLIN) != 0;
}

// Bytes waiting are looked at under the lock that the serving thread takes before it reads them:
// none waiting and none in hand means every byte that arrived so far was handled.
bool PtyServer::WaitUntilIdle(int limitMs) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    std::unique_lock lock(idleLock_);
    while (serving_ && (handling_ || BytesWaiting())) {
        if (idleChanged_.wait_until(lock, end) == std::cv_status::timeout) return false;
    }
    return true;
}

bool PtyServer::WaitForStop(int ms) const {
    pollfd wait{io_->wake, POLLIN, 0};
    return poll(&wait, 1, ms) > 0;
}

bool PtyServer::WaitUntil(std::chrono::steady_clock::time_point until) const {
    const auto left = until - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return false;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    pollfd wait{io_->wake, POLLIN, 0};
    return ppoll(&wait, 1, &timeout, nullptr) > 0;
}

bool PtyServer::WriteAll(const char* data, size_t size) const {
    while (size > 0) {
        const ssize_t written = write(io_->master, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd waits[2] = {{io_->master, POLLOUT, 0}, {io_->wake, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 && errno != EINTR) return false;
        if (waits[1].revents != 0) return false;
    }
    return true;
}

bool PtyServer::WritePaced(const char* data, size_t size, double byteSeconds) const {
    if (byteSeconds <= 0) return WriteAll(data, size);
    const auto start = std::chrono::steady_clock::now();
    const auto due = [&](size_t bytes) {
        return start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                           std::chrono::duration<double>(byteSeconds * static_cast<double>(bytes)));
    };
    for (size_t sent = 0; sent < size;) {
        if (WaitUntil(due(sent + 1))) return false;
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const size_t ready = std::min(size, std::max(sent + 1, static_cast<size_t>(elapsed / byteSeconds)));
        if (!WriteAll(data + sent, ready - sent)) return false;
        sent = ready;
    }
    return true;
}

} // namespace ptyserve
