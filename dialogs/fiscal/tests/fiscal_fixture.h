#pragma once
// The whole program against the simulated register, with the link open and ten payment types.
#include <fstream>

#include "shell/tests/shell_fixture.h"

class FiscalFixture : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        Session.PaymentCount = 10;
    }

    // A file of these bytes in the test's folder; its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        const std::string path = (Folder() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The codes of the frames the register received since the last ClearFrames.
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& frame : sim.Frames())
            codes.push_back(frame.Code);
        return codes;
    }

    // The data texts of the frames of one code.
    std::vector<std::string> DataOf(int code) const {
        std::vector<std::string> data;
        for (const auto& frame : sim.Frames())
            if (frame.Code == code) data.push_back(frame.Data);
        return data;
    }
};
