#pragma once
// The wire time of a bench's exchanges with the simulated register: every frame's bytes, both
// directions, at 10 bits a byte.
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>

#include "driver/link.h"
#include "tools/regsim/register_simulator.h"

// Bytes of the answer frames, counted from the simulator's log lines "-> HH HH ... |text|".
struct AnswerBytes {
    std::mutex mutex;
    size_t total = 0;
    void Add(const std::string& line) {
        if (line.rfind("-> ", 0) != 0) return;
        const size_t hexEnd = line.find(" |");
        std::lock_guard lock(mutex);
        total += (hexEnd - 3) / 3;
    }
};

inline size_t CommandBytes(const regsim::RegisterSimulator& sim) {
    size_t bytes = 0;
    for (const auto& frame : sim.Frames())
        bytes += frame.Raw.size();
    return bytes;
}

inline double WireSeconds(size_t bytes, unsigned baud) {
    return static_cast<double>(bytes) * 10.0 / baud;
}

// Starts the simulator paced at `baud`, counting its answer bytes, and opens the link to it; false
// (after a message naming the program) when there is no simulated register.
inline bool StartPacedRegister(regsim::RegisterSimulator& sim, AnswerBytes& answers, unsigned baud,
                               const char* program) {
    sim.SetFrameLog([&answers](const std::string& line) { answers.Add(line); });
    sim.SetBaudRate(baud);
    if (sim.Start() && OpenLink(sim.PortPath(), baud)) return true;
    std::fprintf(stderr, "%s: no simulated register: %s\n", program, sim.StartError().c_str());
    return false;
}
