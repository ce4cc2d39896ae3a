// Opening by name, exclusivity, line settings and modem lines on pseudo-terminals.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

namespace fs = std::filesystem;

TEST(SerialNames, PlainNamesLiveUnderDevAndPathsAreKept) {
    EXPECT_EQ(SerialPort::DevicePath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialPort::DevicePath("ttyACM1"), "/dev/ttyACM1");
    EXPECT_EQ(SerialPort::DevicePath("/dev/pts/5"), "/dev/pts/5");
    EXPECT_EQ(SerialPort::DevicePath("/tmp/kaltor-link"), "/tmp/kaltor-link");
}

TEST(SerialOpen, NamesThatAreNoSerialDeviceGiveNotFound) {
    const fs::path plainFile = fs::temp_directory_path() / ("kaltor-not-a-tty-" + std::to_string(getpid()));
    std::FILE* file = std::fopen(plainFile.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    for (const std::string& name : {std::string(), std::string("ttyKALTOR99"),
                                    std::string("/dev/pts/kaltor-missing"), plainFile.string()}) {
        SerialPort port;
        EXPECT_EQ(port.Open(name), SerialError::NotFound) << name;
        EXPECT_FALSE(port.IsOpen()) << name;
        EXPECT_EQ(port.LastError(), SerialError::NotFound) << name;
    }
    fs::remove(plainFile);
}

TEST(SerialOpen, ClosedPortRefusesEveryCallWithNotOpen) {
    SerialPort port;
    char byte = 0;
    EXPECT_EQ(port.Read(&byte, 1, 10), -1);
    EXPECT_EQ(port.Write(&byte, 1), -1);
    EXPECT_FALSE(port.Purge(true, true));
    EXPECT_FALSE(port.Drain());
    EXPECT_FALSE(port.SetDtr(true));
    EXPECT_EQ(port.Configure(LineSettings{}), SerialError::NotOpen);
    EXPECT_EQ(port.LastError(), SerialError::NotOpen);
    port.ClearError();
    EXPECT_EQ(port.LastError(), SerialError::None);
    port.Close(); // harmless
}

TEST(SerialOpen, SecondOpenOfTheSameDeviceIsBusyUntilTheFirstCloses) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    const fs::path link = fs::temp_directory_path() / ("kaltor-link-" + std::to_string(getpid()));
    fs::remove(link);
    fs::create_symlink(pty.SlavePath(), link);

    SerialPort first;
    ASSERT_EQ(first.Open(pty.SlavePath()), SerialError::None);
    EXPECT_EQ(first.Open(pty.SlavePath()), SerialError::Busy) << "the same object";
    EXPECT_TRUE(first.IsOpen());
    SerialPort second;
    EXPECT_EQ(second.Open(pty.SlavePath()), SerialError::Busy);
    EXPECT_EQ(second.Open(link.string()), SerialError::Busy) << "the same device under another name";
    EXPECT_FALSE(second.IsOpen());

    first.Close();
    EXPECT_EQ(second.Open(link.string()), SerialError::None);
    fs::remove(link);
}

TEST(SerialOpen, PortHeldByAnotherProcessIsBusyAndFreeOnceThatProcessIsKilled) {
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
    kill(holder, SIGKILL); // leaves its lock behind, as a crash would
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    close(ready[0]);
    close(ready[1]);
}

TEST(SerialSettings, EveryOfferedSpeedIsAcceptedOnAPseudoTerminal) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    SerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    const struct {
        uint32_t rate;
        speed_t constant;
    } rates[] = {{110, B110},       {300, B300},   {600, B600},     {1200, B1200},   {2400, B2400},
                 {4800, B4800},     {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600},
                 {115200, B115200}, {256000, 0},   {128000, 0},     {56000, 0},      {11400, 0}};
    for (const auto& r : rates) {
        EXPECT_EQ(port.Configure(LineSettings{r.rate}), SerialError::None) << r.rate;
        const termios line = pty.Settings();
        if (r.constant != 0) {
            EXPECT_EQ(cfgetospeed(&line), r.constant) << r.rate;
        }
    }
}

// A pseudo-terminal keeps 8 bits without parity whatever it is asked; stop bits and the refusal
// of settings no UART has are what shows on it.
TEST(SerialSettings, FrameSettingsAreAppliedOrRefused) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    SerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    const struct {
        LineSettings settings;
        SerialError result;
        tcflag_t stopFlag;
    } cases[] = {
        {{9600, 8, Parity::None, StopBits::One}, SerialError::None, 0},
        {{9600, 7, Parity::Even, StopBits::Two}, SerialError::None, CSTOPB},
        {{9600, 6, Parity::Odd, StopBits::One}, SerialError::None, 0},
        {{9600, 8, Parity::Mark, StopBits::Two}, SerialError::None, CSTOPB},
        {{9600, 8, Parity::Space, StopBits::One}, SerialError::None, 0},
        {{9600, 5, Parity::None, StopBits::OneAndHalf}, SerialError::None, CSTOPB},
        {{9600, 8, Parity::None, StopBits::OneAndHalf}, SerialError::Unsupported, 0},
        {{9600, 4, Parity::None, StopBits::One}, SerialError::Unsupported, 0},
        {{9600, 9, Parity::None, StopBits::One}, SerialError::Unsupported, 0},
        {{0, 8, Parity::None, StopBits::One}, SerialError::Unsupported, 0},
    };
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.settings.BaudRate) + " baud, " +
                                  std::to_string(c.settings.DataBits) + " bits, parity " +
                                  std::to_string(static_cast<int>(c.settings.ParityMode)) + ", stop " +
                                  std::to_string(static_cast<int>(c.settings.Stop));
        ASSERT_EQ(port.Configure(LineSettings{}), SerialError::None);
        EXPECT_EQ(port.Configure(c.settings), c.result) << label;
        EXPECT_EQ(pty.Settings().c_cflag & CSTOPB, c.stopFlag) << label;
        EXPECT_EQ(pty.Settings().c_cflag & CRTSCTS, 0u) << label;
    }
    EXPECT_EQ(port.LastError(), SerialError::Unsupported);
}

TEST(SerialSettings, ModemLinesOnAPseudoTerminalFailCleanly) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Ok());
    SerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    EXPECT_FALSE(port.SetDtr(true));
    EXPECT_EQ(port.LastError(), SerialError::Unsupported);
    EXPECT_FALSE(port.SetRts(false));
    EXPECT_EQ(port.LastError(), SerialError::Unsupported);
    ASSERT_TRUE(pty.Send("ok")); // the port still works afterwards
    char bytes[2];
    EXPECT_EQ(port.Read(bytes, 2, 1000), 2);
}

} // namespace
