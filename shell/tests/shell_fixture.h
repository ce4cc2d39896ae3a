#pragma once
// The whole program's windows in a test: an empty start folder, a fake sysfs tree, a simulated
// register offered as an extra port, the recording UI host, every wait at a twentieth.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/window_set.h"
#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/setup/setup_windows.h"
#include "driver/driver.h"
#include "driver/session_log.h"
#include "monitor/monitor_windows.h"
#include "platform/clock/clock.h"
#include "platform/forms/forms.h"
#include "shell/main_window_usb.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell/tests/fake_sysfs.h"
#include "shell/windows.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Every wait at a twentieth; each begins only once the simulator has handled what it was sent
        // (see `follow`), so a loaded machine cannot make an answer late.
        SetTimeScale(0.05);
        EnsureApplication();
        startFolder_ = std::filesystem::current_path();
        folder_ = std::filesystem::path(sysfs.Root()).string() + "-start";
        // A test that crashed under the same process number may have left its folder behind.
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
        ResetSession();
        ResetSessionLog(); // the log's path is fixed at its first line: each test starts as a new run
        SetSysfsRoot(sysfs.Root());
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        QuietConnectCommand();
        OfferPorts(sim.PortPath());
        CreateWindows(*Application);
    }

    void TearDown() override {
        CloseLink();
        SetUsbLink(false);
        Application->DestroyForms();
        sim.Stop();
        ::unsetenv("KALTOR_EXTRA_PORTS");
        std::filesystem::current_path(startFolder_);
        std::filesystem::remove_all(folder_);
        ResetSession();
    }

    static void OfferPorts(const std::string& ports) { ::setenv("KALTOR_EXTRA_PORTS", ports.c_str(), 1); }

    // The main window's activation with a settings file prepared beforehand (no creation message).
    void Activate(const std::vector<std::pair<TextSetting, std::string>>& saved = {}) {
        Session.IniFileName = (folder_ / "fpinit.ini").string();
        ASSERT_TRUE(CreateSettingsFile());
        for (const auto& [setting, value] : saved)
            WriteSetting(setting, value);
        Form1->FormActivate();
        host.Clear();
    }

    void Connect(const std::vector<std::pair<TextSetting, std::string>>& saved = {}) {
        Activate(saved);
        QuietConnectCommand();
        Form1->Button3.Click();
    }

    // Connect throws the answer to its first command away after a short wait. On a machine loaded
    // enough, that answer can still come after the purge and pass for the answer to 80h; it is of
    // no interest, so the simulated register keeps quiet.
    void QuietConnectCommand() { sim.SetOverride(0x88, {.Silent = true}); }

    void SetModel(const std::string& model, const std::string& firmware = "3.01") {
        sim.UpdateState([&](regsim::RegisterState& state) {
            state.Model = model;
            state.Firmware = firmware;
        });
    }

    std::string FileText(const std::string& name) const {
        std::ifstream in(folder_ / name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path Folder() const { return folder_; }

    FakeSysfs sysfs;
    regsim::RegisterSimulator sim;
    ptyserve::FollowServers follow{sim};
    RecordingUiHost host;

private:
    std::filesystem::path startFolder_;
    std::filesystem::path folder_;
};
