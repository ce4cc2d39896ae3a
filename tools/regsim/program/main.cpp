// regsim: a simulated register on a pseudo-terminal, for trying Kaltor without a register.
// Prints the port's path as its first line, then serves until SIGTERM or SIGINT.
#include <cstdio>
#include <string>

#include "tools/ptyserve/program.h"
#include "tools/regsim/register_simulator.h"

namespace {

const char kUsage[] =
    "Usage: regsim [--model TEXT] [--version TEXT] [--baud N] [--log] [--help]\n"
    "A simulated register on a pseudo-terminal. Prints the path of its port as the first line,\n"
    "then answers the port until SIGTERM or SIGINT.\n"
    "  --model TEXT    model text of the diagnostic answer (default \"Kivrel LT-6\")\n"
    "  --version TEXT  firmware version of the diagnostic answer (default \"3.01\")\n"
    "  --baud N        send and take bytes at the pace of N baud, 10 bits a byte (default: at once)\n"
    "  --log           print every frame received and sent, as hex and text, to stderr\n"
    "  --help          print this text and exit\n";

struct Options {
    std::string Model = regsim::RegisterState().Model;
    std::string Version = regsim::RegisterState().Firmware;
    unsigned Baud = 0;
    bool Log = false;
    bool Help = false;
};

bool ParseBaud(const std::string& text, unsigned& baud) {
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    baud = static_cast<unsigned>(std::stoul(text));
    return baud >= 1 && baud <= 4000000;
}

// False on an unknown option, a missing value or a bad speed.
bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--model" && hasValue) {
            options.Model = argv[++i];
        } else if (option == "--version" && hasValue) {
            options.Version = argv[++i];
        } else if (option == "--baud" && hasValue) {
            if (!ParseBaud(argv[++i], options.Baud)) {
                std::fprintf(stderr, "regsim: --baud needs a speed from 1 to 4000000: %s\n", argv[i]);
                return false;
            }
        } else if (option == "--log") {
            options.Log = true;
        } else if (option == "--help") {
            options.Help = true;
        } else {
            std::fprintf(stderr, "regsim: unknown option or missing value: %s\n", option.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    const bool parsed = ParseOptions(argc, argv, options);
    if (const auto exit = ptyserve::UsageExit(parsed, options.Help, kUsage)) return *exit;

    regsim::RegisterSimulator simulator;
    simulator.SetRecording(false);
    simulator.UpdateState([&](regsim::RegisterState& state) {
        state.Model = options.Model;
        state.Firmware = options.Version;
        state.Fiscal.RestartMs = 1500; // as long as a register takes to start again
    });
    simulator.SetBaudRate(options.Baud);
    if (options.Log)
        simulator.SetFrameLog([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    return ptyserve::ServeUntilStopped("regsim", simulator);
}
