// Reads out 256 KB of the register's firmware through the read-out windows' routine with the
// simulated register paced at 115200 baud, and sets the time against the wire time of every frame
// exchanged. The program's share is the time above the wire time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/fixed.h"
#include "bench/wire_time.h"
#include "dialogs/setup/readout.h"
#include "driver/link.h"
#include "platform/clock/clock.h"
#include "platform/forms/forms.h"
#include "tools/regsim/register_simulator.h"

namespace {
constexpr unsigned kBaud = 115200;
constexpr int kFirmware = 5;
} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int qtArgc = argc;
    TApplication application(qtArgc, argv);
    AnswerBytes answers;
    regsim::RegisterSimulator sim;
    if (!StartPacedRegister(sim, answers, kBaud, "readout_bench")) return 1;
    RecordingUiHost host;
    const std::string file = (std::filesystem::temp_directory_path() / "kaltor-bench-firmware.hex").string();
    const size_t size = sim.State().Network.Readout.Sources.at({kFirmware, 0}).size();

    const int64_t start = MonotonicMs();
    const ReadoutResult result = ReadOut({.Function = kFirmware, .Password = "736204", .Path = file});
    const double elapsed = static_cast<double>(MonotonicMs() - start) / 1000.0;

    const size_t wireBytes = CommandBytes(sim) + answers.total;
    const double wire = WireSeconds(wireBytes, kBaud);
    const bool complete = result == ReadoutResult::Done && std::filesystem::file_size(file) == size;
    std::filesystem::remove(file);
    std::printf("read out %zu bytes in %zu frames at %u baud: %s\n", size, sim.Frames().size(), kBaud,
                complete ? "complete" : "INCOMPLETE");
    std::printf("time %s s, wire time %s s, above the wire %s%% (goal <= 15%%)\n", Fixed(elapsed, 3).c_str(),
                Fixed(wire, 3).c_str(), Fixed((elapsed / wire - 1.0) * 100.0, 1).c_str());
    sim.Stop();
    return complete ? 0 : 1;
}
