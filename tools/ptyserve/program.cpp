#include "tools/ptyserve/program.h"

#include <csignal>
#include <cstdio>

namespace ptyserve {

std::optional<int> UsageExit(bool parsed, bool help, const char* usage) {
    if (!parsed) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (help) {
        std::fputs(usage, stdout);
        return 0;
    }
    return std::nullopt;
}

int ServeUntilStopped(const char* program, PtyServer& server) {
    // Blocked before the serving thread starts, so that only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    if (!server.Start()) {
        std::fprintf(stderr, "%s: %s\n", program, server.StartError().c_str());
        return 1;
    }
    std::printf("%s\n", server.PortPath().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    return 0;
}

} // namespace ptyserve
