#pragma once
// A pseudo-terminal pair: the port under test opens the slave path, the test plays the far end.
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

class PseudoTerminal {
public:
    PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slavePath_ = ::ptsname(master_);
    }
    ~PseudoTerminal() { CloseMaster(); }

    bool Ok() const { return !slavePath_.empty(); }
    const std::string& SlavePath() const { return slavePath_; }
    bool Send(const std::string& bytes) {
        return ::write(master_, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    }
    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    // What the port wrote, until count bytes came or nothing came for waitMs.
    std::string Receive(size_t count, int waitMs = 1000) {
        std::string got;
        pollfd entry{master_, POLLIN, 0};
        char byte;
        while (got.size() < count && ::poll(&entry, 1, waitMs) > 0 && ::read(master_, &byte, 1) == 1)
            got += byte;
        return got;
    }

    // The slave's line settings (the master answers for its slave).
    termios Settings() const {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

private:
    int master_;
    std::string slavePath_;
};
