#include "shell/tests/shell_fixture.h"

namespace {

using TerminalPortsTest = ShellFixture;

TEST_F(TerminalPortsTest, ATerminalPortOfTheEnvironmentJoinsOnlyTheTerminalListAndShowsItsGroup) {
    const struct {
        const char* terminalPorts; // nullptr: not set
        std::string terminalSetting;
        std::vector<std::string> terminalList;
        std::string selected;
        bool groupShown;
    } cases[] = {
        {nullptr, "", {sim.PortPath()}, sim.PortPath(), false},
        {nullptr, "COM2", {sim.PortPath()}, sim.PortPath(), true},
        {"/dev/pts/77", "", {sim.PortPath(), "/dev/pts/77"}, "/dev/pts/77", true},
        {"/dev/pts/77: /dev/pts/78", "", {sim.PortPath(), "/dev/pts/77", "/dev/pts/78"}, "/dev/pts/77", true},
    };
    for (const auto& c : cases) {
        if (c.terminalPorts)
            ::setenv("KALTOR_TERMINAL_PORTS", c.terminalPorts, 1);
        else
            ::unsetenv("KALTOR_TERMINAL_PORTS");
        Activate({{settings::Terminal, c.terminalSetting}});
        EXPECT_EQ(Form1->ComboBox3.Items().ToVector(), c.terminalList);
        EXPECT_EQ(Form1->ComboBox1.Items().ToVector(), std::vector<std::string>{sim.PortPath()});
        EXPECT_EQ(Form1->ComboBox3.Text(), c.selected);
        EXPECT_EQ(Form1->GroupBox2.Visible(), c.groupShown);
    }
    ::unsetenv("KALTOR_TERMINAL_PORTS");
}

} // namespace
