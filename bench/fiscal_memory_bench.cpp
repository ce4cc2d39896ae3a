// Reads 64 KB of fiscal memory through the fiscal-memory window's read with the simulated register
// paced at 115200 baud, and sets the time against the wire time of every frame exchanged (10 bits a
// byte, both directions). The program's share is the time above the wire time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/fixed.h"
#include "bench/wire_time.h"
#include "dialogs/fiscal/fiscal_memory.h"
#include "driver/link.h"
#include "platform/clock/clock.h"
#include "platform/forms/forms.h"
#include "tools/regsim/register_simulator.h"

namespace {

constexpr unsigned kBaud = 115200;
constexpr int kBytes = 64 * 1024;
constexpr int kStart = 4096;

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int qtArgc = argc;
    TApplication application(qtArgc, argv);
    AnswerBytes answers;
    regsim::RegisterSimulator sim;
    if (!StartPacedRegister(sim, answers, kBaud, "fiscal_memory_bench")) return 1;
    RecordingUiHost host;
    TForm7 form;
    const std::string image = (std::filesystem::temp_directory_path() / "kaltor-bench-image.bin").string();
    form.FormActivate();
    form.Edit4.SetText(std::to_string(kStart));
    form.Edit5.SetText(std::to_string(kBytes));
    host.ChooseNextFile(image);

    const int64_t start = MonotonicMs();
    form.Button3Click();
    const double elapsed = static_cast<double>(MonotonicMs() - start) / 1000.0;

    const size_t commandBytes = CommandBytes(sim);
    sim.Stop();
    const size_t wireBytes = commandBytes + answers.total;
    const double wire = WireSeconds(wireBytes, kBaud);
    const bool complete = std::filesystem::file_size(image) == static_cast<uintmax_t>(kBytes);
    std::filesystem::remove(image);
    std::printf("read %d bytes in %zu frames at %u baud: %s\n", kBytes, sim.Frames().size(), kBaud,
                host.Texts().empty() ? "" : host.Texts().back().c_str());
    std::printf("wire bytes %zu (commands %zu, answers %zu)\n", wireBytes, commandBytes, answers.total);
    std::printf("time %s s, wire time %s s, above the wire %s%% (goal <= 15%%)\n", Fixed(elapsed, 3).c_str(),
                Fixed(wire, 3).c_str(), Fixed((elapsed / wire - 1.0) * 100.0, 1).c_str());
    return complete ? 0 : 1;
}
