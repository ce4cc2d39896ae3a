#pragma once
// A pseudo-terminal pair for the tests: the port under test opens the slave path, the test plays
// the far end on the master.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include "platform/clock/clock.h"

class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slavePath_ = ::ptsname(master_);
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Ok() const { return master_ >= 0 && !slavePath_.empty(); }
    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }

    bool Send(const std::string& bytes) {
        return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // What the port wrote, collected until `count` bytes came or waitMs passed (unscaled).
    std::string Receive(size_t count, int waitMs = 1000) {
        std::string got;
        const int64_t deadline = MonotonicMs() + waitMs;
        while (got.size() < count) {
            pollfd entry{master_, POLLIN, 0};
            const int64_t left = deadline - MonotonicMs();
            if (left <= 0 || ::poll(&entry, 1, static_cast<int>(left)) <= 0) break;
            char buffer[4096];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0) break;
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }

    // The line settings of the pair (the master answers for its slave).
    termios Settings() const {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};
