// Reading, writing and purging on a real pseudo-terminal pair, time-outs measured on the clock.
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <time.h>

#include "platform/clock/clock.h"
#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

class SerialTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(1.0);
        ASSERT_TRUE(pty.Ok());
        ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
        ASSERT_EQ(port.Configure(LineSettings{}), SerialError::None);
    }
    void TearDown() override { SetTimeScale(1.0); }

    // Reads with the time-out and reports how long it took.
    long TimedRead(std::string& into, size_t count, unsigned timeoutMs, int64_t& elapsedMs) {
        into.assign(count, '\0');
        const int64_t start = MonotonicMs();
        const long n = port.Read(into.data(), count, timeoutMs);
        elapsedMs = MonotonicMs() - start;
        into.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return n;
    }

    PseudoTerminal pty;
    SerialPort port;
};

std::string AllByteValues() {
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

int64_t ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

TEST_F(SerialTransfer, ReadWithNothingComingReturnsZeroAfterItsTimeout) {
    struct Case {
        double scale;
        int64_t atLeastMs, underMs;
    };
    for (const Case c : {Case{1.0, 98, 180}, Case{0.01, 0, 30}}) {
        SetTimeScale(c.scale);
        std::string got;
        int64_t elapsed = 0;
        EXPECT_EQ(TimedRead(got, 1, 100, elapsed), 0) << c.scale;
        EXPECT_GE(elapsed, c.atLeastMs) << c.scale;
        EXPECT_LT(elapsed, c.underMs) << c.scale;
    }
}

TEST_F(SerialTransfer, ReadReturnsAsSoonAsCountBytesCame) {
    std::thread peer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        pty.Send("AB");
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        pty.Send("CDE"); // one more than asked for: stays for the next read
    });
    std::string got;
    int64_t elapsed = 0;
    EXPECT_EQ(TimedRead(got, 4, 5000, elapsed), 4);
    peer.join();
    EXPECT_EQ(got, "ABCD");
    EXPECT_LT(elapsed, 1000);
    EXPECT_EQ(TimedRead(got, 4, 0, elapsed), 1);
    EXPECT_EQ(got, "E");
}

TEST_F(SerialTransfer, ReadReturnsWhatCameWhenTheTimeoutPasses) {
    ASSERT_TRUE(pty.Send("xy"));
    std::string got;
    int64_t elapsed = 0;
    EXPECT_EQ(TimedRead(got, 10, 60, elapsed), 2);
    EXPECT_EQ(got, "xy");
    EXPECT_GE(elapsed, 58);
}

TEST_F(SerialTransfer, WaitingForBytesUsesNoProcessorTime) {
    const int64_t cpuBefore = ThreadCpuMs();
    char byte;
    EXPECT_EQ(port.Read(&byte, 1, 300), 0);
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 30);
}

TEST_F(SerialTransfer, EveryByteValuePassesUnchangedBothWays) {
    const std::string bytes =
        AllByteValues(); // CR, LF, XON, XOFF, DEL, NUL: no line discipline may touch them
    EXPECT_EQ(port.Write(bytes.data(), bytes.size()), 256);
    EXPECT_TRUE(port.Drain());
    EXPECT_EQ(pty.Receive(256), bytes);

    ASSERT_TRUE(pty.Send(bytes));
    std::string got;
    int64_t elapsed = 0;
    EXPECT_EQ(TimedRead(got, 256, 1000, elapsed), 256);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(pty.Receive(1, 50), "") << "nothing may be echoed back";
}

TEST_F(SerialTransfer, PurgeDropsPendingInputButNotLaterBytes) {
    ASSERT_TRUE(pty.Send("stale answer"));
    std::string got;
    int64_t elapsed = 0;
    ASSERT_EQ(TimedRead(got, 1, 1000, elapsed), 1); // the rest has arrived with the first byte
    EXPECT_TRUE(port.Purge(true, true));
    EXPECT_EQ(TimedRead(got, 20, 50, elapsed), 0);
    ASSERT_TRUE(pty.Send("new"));
    EXPECT_EQ(TimedRead(got, 3, 1000, elapsed), 3);
    EXPECT_EQ(got, "new");
}

TEST_F(SerialTransfer, VanishedPeerIsReportedPromptlyWhileWaiting) {
    std::thread peer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.CloseMaster();
    });
    std::string got;
    int64_t elapsed = 0;
    EXPECT_EQ(TimedRead(got, 1, 5000, elapsed), -1);
    peer.join();
    EXPECT_EQ(port.LastError(), SerialError::Io);
    EXPECT_LT(elapsed, 1000);
}

TEST_F(SerialTransfer, AfterThePeerVanishedEveryTransferFailsAtOnce) {
    pty.CloseMaster();
    std::string got;
    int64_t elapsed = 0;
    EXPECT_EQ(TimedRead(got, 10, 3000, elapsed), -1);
    EXPECT_LT(elapsed, 500);
    port.ClearError();
    EXPECT_EQ(port.Write("x", 1), -1);
    EXPECT_EQ(port.LastError(), SerialError::Io);
    EXPECT_TRUE(port.IsOpen()) << "the owner still closes it";
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialTransfer, WriteToAPeerThatStoppedReadingFailsInsteadOfHanging) {
    SetTimeScale(0.01);
    const std::string block(1 << 20, 'z'); // far more than a pseudo-terminal buffers
    const int64_t start = MonotonicMs();
    EXPECT_EQ(port.Write(block.data(), block.size()), -1);
    EXPECT_EQ(port.LastError(), SerialError::Io);
    EXPECT_LT(MonotonicMs() - start, 2000);
}

} // namespace
