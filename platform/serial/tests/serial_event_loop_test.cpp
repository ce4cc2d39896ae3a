// In the GUI program the message loop runs while the port is open (modal dialogs), and Qt's own
// notifier then moves arriving bytes into its buffer: nothing may be lost, reordered or kept past
// a purge, and a vanished peer is still an error.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

void RunMessageLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(SerialWithMessageLoop, BytesTheLoopTookComeFirstInOrderAndPurgeDropsThem) {
    int argc = 1;
    char name[] = "kaltor", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    PseudoTerminal pty;
    SerialPort port;
    ASSERT_TRUE(pty.Ok());
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    char bytes[5];

    ASSERT_TRUE(pty.Send("abc"));
    RunMessageLoop(50);
    ASSERT_TRUE(pty.Send("de"));
    ASSERT_EQ(port.Read(bytes, 5, 1000), 5);
    EXPECT_EQ(std::string(bytes, 5), "abcde");

    ASSERT_TRUE(pty.Send("stale"));
    RunMessageLoop(50);
    EXPECT_TRUE(port.Purge(true, false));
    EXPECT_EQ(port.Read(bytes, 5, 30), 0);

    pty.CloseMaster();
    RunMessageLoop(50);
    EXPECT_EQ(port.Read(bytes, 1, 1000), -1);
    EXPECT_EQ(port.LastError(), SerialError::Io);
}

} // namespace
