#pragma once
// The script monitor against the simulated register: the whole program's windows, a settings file,
// the link open, the monitor activated.
#include <fstream>
#include <string>
#include <vector>

#include "monitor/exchange_lines.h"
#include "monitor/monitor_windows.h"
#include "shell/tests/shell_fixture.h"
#include "tools/regsim/frame_codec.h"

class MonitorFixture : public ShellFixture {
protected:
    void SetUp() override {
        separator_ = DecimalSeparator;
        ShellFixture::SetUp();
        Session.IniFileName = (Folder() / "fpinit.ini").string();
        ASSERT_TRUE(CreateSettingsFile());
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        Form28->FormActivate();
        host.Clear();
    }
    // Money handlers set the program-wide separator; other tests of this program expect the default.
    void TearDown() override {
        DecimalSeparator = separator_;
        ShellFixture::TearDown();
    }

    // A script file in the test's folder, chosen in the monitor; its path.
    std::string UseScript(const std::vector<std::string>& lines, const std::string& name = "script.txt") {
        const std::string path = (Folder() / name).string();
        std::ofstream out(path);
        for (const std::string& line : lines)
            out << line << "\n";
        Form28->ScriptFileName = path;
        Form28->Edit4.SetText("0");
        return path;
    }

    std::vector<std::string> Messages() const { return Form28->Memo1.Lines().ToVector(); }

    // The "PC: " and "FP: " lines of the last frame the simulator received and of its plain answer
    // (built from the simulator's own bytes; the rendering itself is checked in exchange_lines_test).
    std::vector<std::string> ExchangeOfLastFrame(const std::string& answerData = "") const {
        return ExchangeOf(sim.FrameCount() - 1, answerData);
    }
    std::vector<std::string> ExchangeOf(size_t frameIndex, const std::string& answerData = "") const {
        const regsim::ReceivedFrame frame = sim.Frames().at(frameIndex);
        const std::array<uint8_t, 6> idle{0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
        const std::string answer =
            regsim::BuildAnswerFrame({frame.Seq, frame.Code, "0000", answerData, idle});
        return {"PC: " + ShownBytes(frame.Raw.substr(1)), "FP: " + ShownAnswer(answer.substr(1))};
    }

    std::vector<unsigned> SentCodes() const {
        std::vector<unsigned> codes;
        for (const regsim::ReceivedFrame& frame : sim.Frames())
            codes.push_back(frame.Code);
        return codes;
    }

private:
    char separator_ = ',';
};
