// Measures what the script monitor's plain-script run adds to the exchanges themselves: a script of
// 1000 command lines run by the monitor window (offscreen, message list and repaints on) against the
// simulated register, next to 1000 bare driver exchanges of the same commands. The two are run in
// turn several times; printed are the best time of each and the median of the rounds' overheads (each
// round compares a run with the exchanges just before it, so a machine busy with other work moves
// both alike).
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/fixed.h"
#include "driver/link.h"
#include "monitor/monitor_windows.h"
#include "platform/forms/forms.h"
#include "tools/regsim/register_simulator.h"

namespace {

constexpr int Lines = 1000;
constexpr int Rounds = 9;

struct Command {
    unsigned code;
    const char* line; // the same command as a script line
};
const Command kCommands[] = {
    {0x21, "21736204;"},
    {0x80, "80736204;"},
    {0xA0, "A0736204;"},
    {0x89, "89736204;0;"},
};

const Command& CommandOf(int index) {
    return kCommands[index % std::size(kCommands)];
}

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "monitor_bench: %s\n", why.c_str());
    std::exit(1);
}

// Wall time, and the processor time of this thread alone (the simulator answers on its own thread).
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

class Stopwatch {
public:
    Stopwatch() : wall_(std::chrono::steady_clock::now()), cpu_(ThreadCpuMs()) {}
    Timing Elapsed() const {
        const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - wall_;
        return {wall.count(), ThreadCpuMs() - cpu_};
    }

private:
    static double ThreadCpuMs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    }
    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

Timing TimeBareExchanges() {
    const Stopwatch watch;
    for (int i = 0; i < Lines; ++i) {
        const Command& command = CommandOf(i);
        const std::string data = std::string(command.line).substr(2, 6) + ";" + (command.line + 9);
        if (SendCommand(command.code, data)->NoAnswer())
            Fail("exchange " + std::to_string(i) + " went unanswered");
    }
    return watch.Elapsed();
}

Timing TimeScriptRun(const std::string& script) {
    Form28->Memo1.Clear();
    Form28->Edit4.SetText("0");
    Form28->ScriptFileName = script;
    const Stopwatch watch;
    Form28->Button8.Click();
    const Timing elapsed = watch.Elapsed();
    if (Form28->Memo1.Lines().Count() != 2 * Lines) Fail("the script run did not show every exchange");
    return elapsed;
}

std::string WriteScript() {
    const auto path = std::filesystem::temp_directory_path() / "kaltor-monitor-bench.txt";
    std::ofstream out(path);
    for (int i = 0; i < Lines; ++i)
        out << CommandOf(i).line << "\n";
    if (!out) Fail("cannot write " + path.string());
    return path.string();
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication application(argc, argv);
    application.CreateForm(Form28);
    RecordingUiHost host; // answers the "Конец файла!" that ends every run

    regsim::RegisterSimulator sim;
    sim.SetRecording(false);
    if (!sim.Start()) Fail("no simulated register: " + sim.StartError());
    if (!OpenLink(sim.PortPath(), 115200)) Fail("cannot open " + sim.PortPath());
    SetRetryCount(0);
    const std::string script = WriteScript();

    std::vector<Timing> bare, run;
    for (int round = 0; round < Rounds; ++round) {
        bare.push_back(TimeBareExchanges());
        run.push_back(TimeScriptRun(script));
    }
    CloseLink();
    sim.Stop();
    std::filesystem::remove(script);

    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const auto best = [](const std::vector<Timing>& timings, double Timing::*part) {
        double least = timings[0].*part;
        for (const Timing& timing : timings)
            least = std::min(least, timing.*part);
        return least;
    };
    std::vector<double> wallOverheads, cpuOverheads;
    for (int round = 0; round < Rounds; ++round) {
        wallOverheads.push_back(100.0 * (run[round].wallMs / bare[round].wallMs - 1.0));
        cpuOverheads.push_back(100.0 * (run[round].cpuMs / bare[round].cpuMs - 1.0));
    }
    std::printf("                              wall time    this thread's processor time (best of %d)\n",
                Rounds);
    std::printf("%d bare driver exchanges:   %s ms   %s ms\n", Lines,
                Fixed(best(bare, &Timing::wallMs), 1, 7).c_str(),
                Fixed(best(bare, &Timing::cpuMs), 1, 7).c_str());
    std::printf("%d-line plain script run:   %s ms   %s ms\n", Lines,
                Fixed(best(run, &Timing::wallMs), 1, 7).c_str(),
                Fixed(best(run, &Timing::cpuMs), 1, 7).c_str());
    std::printf("the script run adds:          %s %%     %s %%   (median of the rounds)\n",
                Fixed(median(wallOverheads), 1, 5).c_str(), Fixed(median(cpuOverheads), 1, 5).c_str());
    return 0;
}
