// Measures what the driver costs over the wire itself. Three loops of frame exchanges of 80h, each
// purging the receive side before every frame as the driver must:
//   - the driver with the simulated register;
//   - a bare client with the same simulator (the simulator's own cost, without the driver's);
//   - bare round trips of the same bytes through a pseudo-terminal whose far end echoes the answer.
// A run is 2000 exchanges of each loop, taken in chunks of 100 that alternate between the loops (in
// turn first), so that all three meet the same load of the machine. After a warm-up run, seven
// runs give the minimum and the median of each loop and of the ratios.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/fixed.h"
#include "driver/link.h"
#include "tools/regsim/register_simulator.h"

namespace {

constexpr int Rounds = 2000;
constexpr int Chunk = 100;
constexpr int Runs = 7;
constexpr int SilenceMs = 10000; // a peer silent this long has failed

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "driver_bench: %s\n", what);
    std::exit(1);
}

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Processor time of all the process's threads: the loop's own side and its peer (the simulator's
// thread or the echo thread), whatever else the machine runs.
double ProcessorMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Reads exactly count bytes; false on an error, end of file or a long silence.
bool ReadExactly(int fd, std::string& into, size_t count) {
    into.resize(count);
    size_t done = 0;
    while (done < count) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, SilenceMs) <= 0) return false;
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

// What a bare client does per frame: purge what is waiting, write, read the whole answer.
bool BareRoundTrip(int fd, const Exchange& bytes, std::string& answer) {
    tcflush(fd, TCIFLUSH);
    return WriteAll(fd, bytes.frame) && ReadExactly(fd, answer, bytes.answer.size());
}

enum Loop { DriverLoop, SimulatorLoop, EchoLoop, LoopCount };
struct Times {
    std::array<double, LoopCount> wall{};      // milliseconds per loop
    std::array<double, LoopCount> processor{}; // milliseconds per loop
};

class Bench {
public:
    // The simulator with the driver's link and the bare client's descriptor both open on it (the
    // bare one first: the driver opens its port exclusively), and the echoing pseudo-terminal.
    explicit Bench(int echoRoundTrips) {
        sim_.SetRecording(false);
        if (!sim_.Start()) Fail(("no simulated register: " + sim_.StartError()).c_str());
        bareSim_ = open(sim_.PortPath().c_str(), O_RDWR | O_NOCTTY);
        if (bareSim_ < 0) Fail("the bare client cannot open the simulated port");
        MakeRaw(bareSim_);
        if (!OpenLink(sim_.PortPath(), 115200)) Fail("the driver cannot open the simulated port");
        SetRetryCount(0);
        LearnBytes();
        OpenEcho();
        echo_ = std::thread([this, echoRoundTrips] { Echo(echoRoundTrips); });
    }
    ~Bench() {
        echo_.join();
        CloseLink();
        close(bareSim_);
        close(echoSlave_);
        close(echoMaster_);
    }

    // One run: Rounds exchanges of each loop, in alternating chunks.
    Times Run() {
        Times times{};
        for (int chunk = 0; chunk < Rounds / Chunk; ++chunk)
            for (int i = 0; i < LoopCount; ++i) {
                const Loop loop = static_cast<Loop>((chunk + i) % LoopCount);
                const double start = NowMs();
                const double startProcessor = ProcessorMs();
                Exchanges(loop, Chunk);
                times.processor[loop] += ProcessorMs() - startProcessor;
                times.wall[loop] += NowMs() - start;
            }
        return times;
    }

    const Exchange& Bytes() const { return bytes_; }

private:
    void Exchanges(Loop loop, int count) {
        std::string answer;
        for (int i = 0; i < count; ++i) {
            switch (loop) {
            case DriverLoop:
                if (SendCommand(0x80, "736204;")->StatusWord & StatusNoAnswer)
                    Fail("an exchange went unanswered");
                break;
            case SimulatorLoop:
                if (!BareRoundTrip(bareSim_, bytes_, answer))
                    Fail("a bare exchange with the simulator failed");
                break;
            default:
                if (!BareRoundTrip(echoSlave_, bytes_, answer)) Fail("a bare round trip failed");
            }
        }
    }

    // The bare loops send what the driver sends and read what it gets. Sequence numbers do not
    // matter to the simulator.
    void LearnBytes() {
        Exchanges(DriverLoop, 1);
        bytes_.frame = TheAnswer().SentFrame;
        bytes_.answer = TheAnswer().RawAnswer.data();
    }

    void OpenEcho() {
        echoMaster_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (echoMaster_ < 0 || grantpt(echoMaster_) != 0 || unlockpt(echoMaster_) != 0)
            Fail("no pseudo-terminal for the bare round trips");
        echoSlave_ = open(ptsname(echoMaster_), O_RDWR | O_NOCTTY);
        if (echoSlave_ < 0) Fail("no pseudo-terminal for the bare round trips");
        MakeRaw(echoMaster_);
        MakeRaw(echoSlave_);
    }

    // The far end of the bare round trips: answers each frame at once.
    void Echo(int roundTrips) {
        std::string frame;
        for (int i = 0; i < roundTrips; ++i)
            if (!ReadExactly(echoMaster_, frame, bytes_.frame.size()) ||
                !WriteAll(echoMaster_, bytes_.answer))
                return;
    }

    regsim::RegisterSimulator sim_;
    int bareSim_ = -1;
    int echoMaster_ = -1;
    int echoSlave_ = -1;
    Exchange bytes_;
    std::thread echo_;
};

struct Figures {
    double min, median;
};

Figures Summary(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {values.front(), median};
}

void PrintTimes(const char* what, const std::vector<double>& ms, const std::vector<double>& processorMs) {
    const Figures f = Summary(ms);
    const Figures p = Summary(processorMs);
    std::printf("%-46s min %s ms, median %s ms (processor: median %s ms)\n", what, Fixed(f.min, 1, 7).c_str(),
                Fixed(f.median, 1, 7).c_str(), Fixed(p.median, 1, 6).c_str());
}

void PrintRatio(const char* what, const std::vector<double>& ratios) {
    const Figures f = Summary(ratios);
    std::printf("%-46s min %s,    median %s\n", what, Fixed(f.min, 2, 5).c_str(),
                Fixed(f.median, 2, 5).c_str());
}

} // namespace

int main() {
    Bench bench((Runs + 1) * Rounds);
    bench.Run(); // warm-up: caches, the simulator's thread, the pseudo-terminals

    std::vector<Times> runs;
    for (int run = 0; run < Runs; ++run)
        runs.push_back(bench.Run());
    auto column = [&](const std::function<double(const Times&)>& value) {
        std::vector<double> values;
        for (const Times& t : runs)
            values.push_back(value(t));
        return values;
    };
    auto wall = [&](Loop loop) { return column([loop](const Times& t) { return t.wall[loop]; }); };
    auto processor = [&](Loop loop) { return column([loop](const Times& t) { return t.processor[loop]; }); };
    auto ratio = [&](Loop loop) {
        return column([loop](const Times& t) { return t.wall[DriverLoop] / t.wall[loop]; });
    };

    std::printf("%d runs of %d exchanges of 80h (%zu + %zu bytes) per loop, after a warm-up:\n", Runs, Rounds,
                bench.Bytes().frame.size(), bench.Bytes().answer.size());
    PrintTimes("driver with the simulated register:", wall(DriverLoop), processor(DriverLoop));
    PrintTimes("bare round trips through a pseudo-terminal:", wall(EchoLoop), processor(EchoLoop));
    PrintTimes("bare client with the simulated register:", wall(SimulatorLoop), processor(SimulatorLoop));
    PrintRatio("ratio driver / bare round trip:", ratio(EchoLoop));
    PrintRatio("ratio driver / bare client with the simulator:", ratio(SimulatorLoop));
    return 0;
}
