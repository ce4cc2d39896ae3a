#pragma once
// For tests that run the program's waits at a fraction of their length against simulated devices:
// while one lives, every wait of the program (a read's time-out, the pause before a resend) begins
// only once each device has handled every byte sent to it, answers included. A time-out then counts
// only time in which the device had nothing left to do, so a busy machine that leaves a device's
// thread unscheduled for longer than a scaled time-out cannot turn its answer into a silence, nor let
// the program's next purge throw away a frame the device had not read yet. A device that stays
// silent on purpose is idle at once, so silences still take their scaled length.
//
//     regsim::RegisterSimulator sim;
//     ptyserve::FollowServers follow{sim}; // declared after the device, so it is gone first
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/clock/clock.h"
#include "tools/ptyserve/pty_server.h"

namespace ptyserve {

class FollowServers {
public:
    FollowServers(std::initializer_list<std::reference_wrapper<const PtyServer>> servers)
        : servers_(servers) {
        SetWaitHook([this] {
            for (const PtyServer& server : servers_)
                server.WaitUntilIdle(kLimitMs);
        });
    }
    ~FollowServers() { SetWaitHook({}); }
    FollowServers(const FollowServers&) = delete;
    FollowServers& operator=(const FollowServers&) = delete;

private:
    // A device that never gets idle (stuck writing to a program that does not read) holds a wait
    // no longer than this.
    static constexpr int kLimitMs = 10000;
    std::vector<std::reference_wrapper<const PtyServer>> servers_;
};

} // namespace ptyserve
