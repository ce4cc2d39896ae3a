#pragma once
// The fiscal windows against the simulated register: the whole program's windows, the link open.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/tests/shell_fixture.h"

class FiscalFixture : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    }

    std::string PathOf(const std::string& name) const { return (Folder() / name).string(); }

    static std::vector<uint8_t> FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<uint8_t> Memory(size_t address, size_t count) const {
        const std::vector<uint8_t> memory = sim.State().Fiscal.Memory;
        return {memory.begin() + static_cast<std::ptrdiff_t>(address),
                memory.begin() + static_cast<std::ptrdiff_t>(address + count)};
    }

    // Frames received with this command code.
    std::vector<regsim::ReceivedFrame> FramesOf(uint8_t code) const {
        std::vector<regsim::ReceivedFrame> found;
        for (const auto& frame : sim.Frames())
            if (frame.Code == code) found.push_back(frame);
        return found;
    }
};
