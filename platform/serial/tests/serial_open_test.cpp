// Opening, exclusivity, line settings and modem lines on pseudo-terminals.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

namespace fs = std::filesystem;

TEST(SerialOpen, AMissingDeviceIsNotFoundAnotherFileNoSerialPortAndAClosedPortRefusesCalls) {
    const fs::path folder = fs::temp_directory_path() / ("kaltor-not-serial-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "plain") << "x";
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    const std::pair<std::string, SerialError> cases[] = {
        {"", SerialError::NotFound},
        {"ttyKALTOR99", SerialError::NotFound},
        {(folder / "plain").string(), SerialError::NotSerial},
        {(folder / "fifo").string(), SerialError::NotSerial},
        {folder.string(), SerialError::NotSerial},
        {"/dev/null", SerialError::NotSerial}, // a character device, but no terminal
    };
    for (const auto& [name, error] : cases) {
        SerialPort port;
        EXPECT_EQ(port.Open(name), error) << name;
        EXPECT_FALSE(port.IsOpen()) << name;
        char byte = 0;
        EXPECT_EQ(port.Read(&byte, 1, 10), -1);
        EXPECT_EQ(port.LastError(), SerialError::NotOpen);
    }
    fs::remove_all(folder);
}

TEST(SerialOpen, SecondOpenOfTheSameDeviceIsBusyUnderAnyNameUntilTheFirstCloses) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    const fs::path link = fs::temp_directory_path() / ("kaltor-link-" + std::to_string(getpid()));
    fs::remove(link);
    fs::create_symlink(pty.SlavePath(), link); // as socat makes them
    SerialPort first, second;
    ASSERT_EQ(first.Open(pty.SlavePath()), SerialError::None);
    EXPECT_EQ(first.Open(pty.SlavePath()), SerialError::Busy);
    EXPECT_EQ(second.Open(pty.SlavePath()), SerialError::Busy);
    EXPECT_EQ(second.Open(link.string()), SerialError::Busy);
    first.Close();
    EXPECT_EQ(second.Open(link.string()), SerialError::None);
    fs::remove(link);
}

TEST(SerialOpen, PortOfAnotherProcessIsBusyAndFreeOnceThatProcessIsKilled) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        SerialPort port;
        const char opened = port.Open(pty.SlavePath()) == SerialError::None ? 'y' : 'n';
        (void)!write(ready[1], &opened, 1);
        for (;;)
            pause();
    }
    char opened = 0;
    ASSERT_EQ(read(ready[0], &opened, 1), 1);
    ASSERT_EQ(opened, 'y');
    SerialPort port;
    EXPECT_EQ(port.Open(pty.SlavePath()), SerialError::Busy);
    kill(holder, SIGKILL); // leaves its lock file behind, as a crash would
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    close(ready[0]);
    close(ready[1]);
}

// A pseudo-terminal keeps 8 bits without parity whatever it is told; speed, stop bits and the
// refusal of settings no UART has show on it.
TEST(SerialSettings, SettingsAreAppliedOrRefused) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    SerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    const struct {
        LineSettings settings;
        SerialError result;
        speed_t speed;
        tcflag_t stopFlag;
    } cases[] = {
        {{110, 8, Parity::None, StopBits::One}, SerialError::None, B110, 0},
        {{115200, 7, Parity::Even, StopBits::Two}, SerialError::None, B115200, CSTOPB},
        {{11400, 8, Parity::Mark, StopBits::One}, SerialError::None, 0, 0}, // custom speeds pass too
        {{256000, 6, Parity::Odd, StopBits::One}, SerialError::None, 0, 0},
        {{9600, 5, Parity::Space, StopBits::OneAndHalf}, SerialError::None, B9600, CSTOPB},
        {{9600, 8, Parity::None, StopBits::OneAndHalf}, SerialError::Unsupported, B9600, 0},
        {{9600, 9, Parity::None, StopBits::One}, SerialError::Unsupported, B9600, 0},
        {{0, 8, Parity::None, StopBits::One}, SerialError::Unsupported, B9600, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(port.Configure(LineSettings{}), SerialError::None);
        EXPECT_EQ(port.Configure(c.settings), c.result) << c.settings.BaudRate << " " << c.settings.DataBits;
        const termios line = pty.Settings();
        if (c.speed != 0) {
            EXPECT_EQ(cfgetospeed(&line), c.speed) << c.settings.BaudRate;
        }
        EXPECT_EQ(line.c_cflag & CSTOPB, c.stopFlag) << c.settings.BaudRate;
    }
}

TEST(SerialSettings, ModemLinesOnAPseudoTerminalFailCleanly) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    SerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    EXPECT_FALSE(port.SetDtr(true));
    EXPECT_FALSE(port.SetRts(false));
    EXPECT_EQ(port.LastError(), SerialError::Unsupported);
    ASSERT_TRUE(pty.Send("ok"));
    char bytes[2];
    EXPECT_EQ(port.Read(bytes, 2, 1000), 2) << "the port still works";
}

} // namespace
