// Measures what the driver costs over the wire itself: 2000 exchanges of command 80h with the
// simulated register, then 2000 round trips of the same frame and answer bytes through a bare
// pseudo-terminal that echoes the answer. Prints both times and their ratio.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "driver/link.h"
#include "platform/clock/clock.h"
#include "tools/regsim/register_simulator.h"

namespace {

constexpr int Rounds = 2000;

// Reads exactly count bytes; false on an error or end of file.
bool ReadExactly(int fd, std::string& into, size_t count) {
    into.resize(count);
    size_t done = 0;
    while (done < count) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 1000) <= 0) return false;
        const ssize_t got = read(fd, into.data() + done, count - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

void MakeRaw(int fd) {
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
}

struct Exchange {
    std::string frame;
    std::string answer;
};

// The driver against the simulator; returns the milliseconds, and the bytes of the last exchange.
int64_t TimeDriver(Exchange& bytes) {
    regsim::RegisterSimulator sim;
    if (!sim.Start() || !OpenLink(sim.PortPath(), 115200)) {
        std::fprintf(stderr, "driver_bench: no simulated register: %s\n", sim.StartError().c_str());
        std::exit(1);
    }
    SetRetryCount(0);
    const int64_t start = MonotonicMs();
    for (int i = 0; i < Rounds; ++i) {
        const AnswerRecord* answer = SendCommand(0x80, "736204;");
        if (answer->StatusWord & StatusNoAnswer) {
            std::fprintf(stderr, "driver_bench: exchange %d went unanswered\n", i);
            std::exit(1);
        }
    }
    const int64_t elapsed = MonotonicMs() - start;
    bytes.frame = TheAnswer().SentFrame;
    bytes.answer = TheAnswer().RawAnswer.data();
    CloseLink();
    sim.Stop();
    return elapsed;
}

// The same bytes through a pseudo-terminal whose other end answers each frame at once.
int64_t TimeBareEcho(const Exchange& bytes) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("driver_bench: pseudo-terminal");
        std::exit(1);
    }
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    MakeRaw(master);
    MakeRaw(slave);
    std::thread echo([&] {
        std::string frame;
        for (int i = 0; i < Rounds; ++i)
            if (!ReadExactly(master, frame, bytes.frame.size()) || !WriteAll(master, bytes.answer)) return;
    });
    std::string answer;
    const int64_t start = MonotonicMs();
    for (int i = 0; i < Rounds; ++i) {
        if (!WriteAll(slave, bytes.frame) || !ReadExactly(slave, answer, bytes.answer.size())) {
            std::fprintf(stderr, "driver_bench: bare round trip %d failed\n", i);
            std::exit(1);
        }
    }
    const int64_t elapsed = MonotonicMs() - start;
    echo.join();
    close(slave);
    close(master);
    return elapsed;
}

} // namespace

int main() {
    Exchange bytes;
    const int64_t driverMs = TimeDriver(bytes);
    const int64_t bareMs = TimeBareEcho(bytes);
    std::printf("%d exchanges of 80h with the simulated register: %lld ms\n", Rounds,
                static_cast<long long>(driverMs));
    std::printf("%d bare pseudo-terminal round trips of the same %zu + %zu bytes: %lld ms\n", Rounds,
                bytes.frame.size(), bytes.answer.size(), static_cast<long long>(bareMs));
    std::printf("ratio: %.2f\n", bareMs > 0 ? static_cast<double>(driverMs) / bareMs : 0.0);
    return 0;
}
