#pragma once
// The start-up that the simulator programs share: options, then serving on a pseudo-terminal until
// SIGTERM or SIGINT.
#include <optional>

#include "tools/ptyserve/pty_server.h"

namespace ptyserve {

// What main returns after the options were read: 2 with the usage on stderr when they were bad, 0
// with the usage on stdout for --help; nothing when the program goes on.
std::optional<int> UsageExit(bool parsed, bool help, const char* usage);

// Blocks SIGTERM and SIGINT (so that only the wait here receives them), starts the server, prints
// its port's path as the first line of stdout, serves until one of them arrives and stops. Returns
// main's exit code: 0, or 1 when no pseudo-terminal could be had (the reason on stderr, after the
// program's name). The server is set up before; its thread starts here.
int ServeUntilStopped(const char* program, PtyServer& server);

} // namespace ptyserve
