// In the GUI program the message loop runs while the port is open (modal dialogs), and Qt's own
// notifier then moves arriving bytes into its buffer: nothing may be lost, reordered or kept past
// a purge, and a vanished peer is still an error that does not keep the loop busy.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <time.h>

#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

void RunMessageLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int64_t ProcessorMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
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

    // Bytes read ahead are older than those the loop takes afterwards.
    ASSERT_TRUE(pty.Send("fgh"));
    ASSERT_EQ(port.Read(bytes, 1, 1000), 1);
    EXPECT_EQ(bytes[0], 'f');
    ASSERT_TRUE(pty.Send("ij"));
    RunMessageLoop(50);
    ASSERT_TRUE(pty.Send("k"));
    ASSERT_EQ(port.Read(bytes, 5, 1000), 5);
    EXPECT_EQ(std::string(bytes, 5), "ghijk");

    ASSERT_TRUE(pty.Send("stale"));
    RunMessageLoop(50);
    EXPECT_TRUE(port.Purge(true, false));
    EXPECT_EQ(port.Read(bytes, 5, 30), 0);

    pty.CloseMaster();
    const int64_t before = ProcessorMs();
    RunMessageLoop(300);
    EXPECT_LT(ProcessorMs() - before, 100) << "the message loop spins on the hung-up port";
    EXPECT_EQ(port.Read(bytes, 1, 1000), -1);
    EXPECT_EQ(port.LastError(), SerialError::Io);
}

} // namespace
