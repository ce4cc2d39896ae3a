// Reading, writing and purging on a real pseudo-terminal pair, time-outs measured on the clock.
#include <gtest/gtest.h>
#include <thread>
#include <time.h>

#include "platform/clock/clock.h"
#include "platform/serial/serial_port.h"
#include "platform/serial/tests/pseudo_terminal.h"

namespace {

class SerialTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    }
    void TearDown() override { SetTimeScale(1.0); }

    // Reads with the time-out; elapsedMs tells how long it took.
    std::string Read(size_t count, unsigned timeoutMs, long* result = nullptr) {
        std::string got(count, '\0');
        const int64_t start = MonotonicMs();
        const long n = port.Read(got.data(), count, timeoutMs);
        elapsedMs = MonotonicMs() - start;
        if (result) *result = n;
        got.resize(n > 0 ? size_t(n) : 0);
        return got;
    }

    PseudoTerminal pty;
    SerialPort port;
    int64_t elapsedMs = 0;
};

void SendLater(PseudoTerminal& pty, int ms, std::string bytes) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    pty.Send(bytes);
}

TEST_F(SerialTransfer, ReadEndsWhenItsTimeoutPassesWithWhatCame) {
    const struct {
        double scale;
        std::string sent;
        int64_t atLeastMs, underMs;
    } cases[] = {{1.0, "", 98, 180}, {1.0, "xy", 98, 180}, {0.01, "", 0, 30}};
    for (const auto& c : cases) {
        SetTimeScale(c.scale);
        ASSERT_TRUE(c.sent.empty() || pty.Send(c.sent));
        long n = -1;
        EXPECT_EQ(Read(10, 100, &n), c.sent);
        EXPECT_EQ(n, long(c.sent.size()));
        EXPECT_GE(elapsedMs, c.atLeastMs) << c.scale;
        EXPECT_LT(elapsedMs, c.underMs) << c.scale;
    }
}

TEST_F(SerialTransfer, ReadEndsAsSoonAsCountBytesCame) {
    std::thread peer([this] {
        SendLater(pty, 30, "AB");
        SendLater(pty, 30, "CDE");
    });
    EXPECT_EQ(Read(4, 5000), "ABCD");
    peer.join();
    EXPECT_LT(elapsedMs, 1000);
    EXPECT_EQ(Read(4, 0), "E") << "the rest waits for the next read";
}

TEST_F(SerialTransfer, WaitingForBytesUsesNoProcessorTime) {
    auto cpuMs = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1000 + now.tv_nsec / 1000000;
    };
    const int64_t before = cpuMs();
    EXPECT_EQ(Read(1, 300), "");
    EXPECT_LT(cpuMs() - before, 30);
}

TEST_F(SerialTransfer, EveryByteValuePassesUnchangedBothWays) {
    std::string bytes; // CR, LF, XON, XOFF, NUL...: no line discipline may touch them
    for (int value = 0; value < 256; ++value)
        bytes += char(value);
    EXPECT_EQ(port.Write(bytes.data(), bytes.size()), 256);
    EXPECT_TRUE(port.Drain());
    EXPECT_EQ(pty.Receive(256), bytes);
    ASSERT_TRUE(pty.Send(bytes));
    EXPECT_EQ(Read(256, 1000), bytes);
    EXPECT_EQ(pty.Receive(1, 50), "") << "nothing is echoed";
}

TEST_F(SerialTransfer, PurgeDropsPendingInputButNotLaterBytes) {
    ASSERT_TRUE(pty.Send("stale answer"));
    ASSERT_EQ(Read(1, 1000), "s"); // the rest has arrived with it
    EXPECT_TRUE(port.Purge(true, true));
    EXPECT_EQ(Read(20, 50), "");
    ASSERT_TRUE(pty.Send("new"));
    EXPECT_EQ(Read(3, 1000), "new");
}

TEST_F(SerialTransfer, VanishedPeerIsAnErrorAtOnceWhileWaitingAndAfter) {
    std::thread peer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.CloseMaster();
    });
    long n = 0;
    Read(1, 5000, &n);
    peer.join();
    EXPECT_EQ(n, -1);
    EXPECT_LT(elapsedMs, 1000);
    EXPECT_EQ(port.LastError(), SerialError::Io);
    port.ClearError();
    Read(1, 5000, &n);
    EXPECT_EQ(n, -1);
    EXPECT_LT(elapsedMs, 500);
    EXPECT_EQ(port.Write("x", 1), -1);
    EXPECT_EQ(port.LastError(), SerialError::Io);
    EXPECT_TRUE(port.IsOpen()) << "its owner closes it";
}

// One-byte reads take what the device had at once and serve the rest from the read-ahead.
TEST_F(SerialTransfer, ByteByByteReadsServeTheRestWithoutWaiting) {
    ASSERT_TRUE(pty.Send("0123456789"));
    ASSERT_EQ(Read(1, 1000), "0");
    std::string rest;
    const int64_t start = MonotonicMs();
    for (int i = 0; i < 9; ++i)
        rest += Read(1, 5000);
    EXPECT_EQ(rest, "123456789");
    EXPECT_LT(MonotonicMs() - start, 50) << "the buffer alone satisfies each read";

    // Part from the buffer, part from the device, in order.
    ASSERT_TRUE(pty.Send("abcdef"));
    ASSERT_EQ(Read(2, 1000), "ab");
    std::thread peer([this] { SendLater(pty, 30, "ghi"); });
    EXPECT_EQ(Read(6, 5000), "cdefgh");
    peer.join();
    EXPECT_EQ(Read(5, 100), "i");
}

TEST_F(SerialTransfer, OnlyAPurgeOfTheReceiveSideDropsTheReadAhead) {
    const struct {
        bool receive, transmit;
        std::string left;
    } cases[] = {{false, true, "tale"}, {true, false, ""}, {true, true, ""}, {false, false, "tale"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(pty.Send("stale"));
        ASSERT_EQ(Read(1, 1000), "s");
        EXPECT_TRUE(port.Purge(c.receive, c.transmit));
        EXPECT_EQ(Read(10, 30), c.left) << c.receive << c.transmit;
    }
    ASSERT_TRUE(pty.Send("xy"));
    ASSERT_EQ(Read(1, 1000), "x");
    port.Close();
    ASSERT_EQ(port.Open(pty.SlavePath()), SerialError::None);
    EXPECT_EQ(Read(1, 30), "") << "a close drops it too";
}

TEST_F(SerialTransfer, BytesThatCameBeforeThePeerVanishedComeBeforeTheError) {
    ASSERT_TRUE(pty.Send("last words"));
    ASSERT_EQ(Read(1, 1000), "l");
    pty.CloseMaster();
    EXPECT_EQ(Read(4, 1000), "ast ");
    long n = 0;
    EXPECT_EQ(Read(20, 1000, &n), "words");
    EXPECT_EQ(n, 5);
    Read(1, 5000, &n);
    EXPECT_EQ(n, -1);
    EXPECT_LT(elapsedMs, 500);
    EXPECT_EQ(port.LastError(), SerialError::Io);
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
