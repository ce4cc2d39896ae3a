#pragma once
// The whole program against the simulated register, with the link open and ten payment types.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "dialogs/fiscal/program_confirm.h"
#include "shell/tests/shell_fixture.h"

// The confirmation of programming the fiscal parameters, the next time it shows, ticks every part
// and goes on.
inline void TickEveryPartNext(RecordingUiHost& host) {
    host.OnModal("TForm22", [](TForm&) {
        for (TCheckBox* box : {&Form22->CheckBox2, &Form22->CheckBox3, &Form22->CheckBox4})
            box->SetChecked(true);
        Form22->Button1.Click();
    });
}

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
