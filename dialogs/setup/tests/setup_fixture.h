#pragma once
// The whole program against the simulated register, connected through the main window.
#include "shell/tests/shell_fixture.h"

class SetupFixture : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        Connect();
        ASSERT_TRUE(host.Texts().empty());
        sim.ClearOverrides(); // the connect command's silence; 88h is a service counter here
        sim.ClearFrames();
        host.Clear();
    }
    regsim::SetupState Setup() const { return sim.State().Setup; }
    regsim::ReceivedFrame LastFrame() const { return sim.Frames().back(); }
    std::vector<std::string> FrameData(uint8_t code) const {
        std::vector<std::string> data;
        for (const auto& frame : sim.Frames())
            if (frame.Code == code) data.push_back(frame.Data);
        return data;
    }
};
