#include "shell/port_control.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <functional>
#include <gtest/gtest.h>
#include <thread>

#include "platform/clock/clock.h"
#include "shell/tests/fake_sysfs.h"

namespace {

// The far end of a pseudo-terminal: the component opens the slave like a port.
class PtyPeer {
public:
    PtyPeer() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) slave_ = ptsname(master_);
    }
    ~PtyPeer() {
        if (master_ >= 0) close(master_);
    }
    const std::string& SlavePath() const { return slave_; }
    void Send(const std::string& bytes) {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), (ssize_t)bytes.size());
    }
    std::string Receive(size_t count) {
        std::string bytes;
        while (bytes.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0) break;
            char buffer[64];
            const ssize_t n = read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    std::string slave_;
};

class PortControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        ASSERT_FALSE(peer.SlavePath().empty());
        port.EnableDescr = true;
        port.SetNumPort(peer.SlavePath());
    }
    void TearDown() override { SetTimeScale(1.0); }

    void OpenWithSession() {
        ASSERT_EQ(port.OpenPort(), 0);
        ASSERT_EQ(port.StartSession(true), 0);
    }

    PtyPeer peer;
    TPortControl port{"/nonexistent-sysfs"};
};

TEST(PortControlName, AcceptsLinuxNamesAndComNamesOnly) {
    struct Case {
        const char* typed;
        const char* stored; // what Port holds afterwards, starting from "ttyS9"
    } cases[] = {
        {"com3", "COM3"},       {"Com256", "COM256"},
        {"com0", "ttyS9"},      {"com257", "ttyS9"},
        {"LPT1", "ttyS9"},      {"comx", "ttyS9"},
        {"", "ttyS9"},          {"tty", "ttyS9"},
        {"ttyUSB0", "ttyUSB0"}, {"/dev/pts/3", "/dev/pts/3"},
        {"tty/../x", "ttyS9"},  {"/", "ttyS9"},
    };
    for (const Case& c : cases) {
        TPortControl port;
        port.SetNumPort("ttyS9");
        port.SetNumPort(c.typed);
        EXPECT_EQ(port.Port(), c.stored) << c.typed;
    }
}

TEST_F(PortControlTest, EveryCallOnAClosedPortAnswersMinusOneWithItsText) {
    uint8_t buffer[4] = {};
    size_t n = 0;
    const std::string bang = "Port was not opened!\nError = -1";
    struct Case {
        const char* name;
        std::function<int()> call;
        std::string text;
    } cases[] = {
        {"ClosePort", [&] { return port.ClosePort(); }, bang},
        {"StartSession", [&] { return port.StartSession(false); }, bang},
        {"EndSession", [&] { return port.EndSession(false); }, bang},
        {"WriteData", [&] { return port.WriteData(buffer, 1, n); }, "Port was not opened.\nError = -1"},
        {"ReadData", [&] { return port.ReadData(buffer, 1, n); }, bang},
        {"ClearError", [&] { return port.ClearError(); }, bang},
        {"EscapeCommFunction", [&] { return port.EscapeCommFunction(SETDTR); }, bang},
        {"ClearBuffers", [&] { return port.ClearBuffers(PURGE_RXCLEAR); }, bang},
        {"SetPortTimeouts", [&] { return port.SetPortTimeouts(); }, bang},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), -1) << c.name;
        EXPECT_EQ(port.Description(), c.text) << c.name;
        EXPECT_EQ(port.LastError(), 0) << c.name;
    }
}

TEST_F(PortControlTest, SessionCallsWithoutASessionAnswerMinus21WithTheirTexts) {
    ASSERT_EQ(port.OpenPort(), 0);
    uint8_t buffer[4] = {};
    size_t n = 0;
    struct Case {
        const char* name;
        std::function<int()> call;
        std::string text;
    } cases[] = {
        {"EndSession", [&] { return port.EndSession(false); }, "Session was not opened!\nError = -21"},
        {"WriteData", [&] { return port.WriteData(buffer, 1, n); }, "Session was not opened.\nError = -21"},
        {"ReadData", [&] { return port.ReadData(buffer, 1, n); }, "Session was not opened!!\nError = -21"},
        {"ClearError", [&] { return port.ClearError(); }, "Session was not opened\nError = -21"},
        {"EscapeCommFunction", [&] { return port.EscapeCommFunction(SETBREAK); },
         "Session was not opened.\nError = -21"},
        {"ClearBuffers", [&] { return port.ClearBuffers(PURGE_TXCLEAR); },
         "Session was not opened.\nError = -21"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), -21) << c.name;
        EXPECT_EQ(port.Description(), c.text) << c.name;
    }
}

TEST_F(PortControlTest, OpeningOrStartingTwiceIsRefusedAndSuccessClearsTheText) {
    ASSERT_EQ(port.OpenPort(), 0);
    EXPECT_TRUE(port.Description().empty());
    EXPECT_EQ(port.OpenPort(), -20);
    EXPECT_EQ(port.Description(), "Port was opened!\nError = -20");
    EXPECT_EQ(port.StartSession(false), 0);
    EXPECT_TRUE(port.Description().empty());
    EXPECT_EQ(port.StartSession(false), -16);
    EXPECT_EQ(port.Description(), "Session was opened!\nError = -16");
    EXPECT_EQ(port.SetPortTimeouts(), 0);
    // The name cannot change while the port is open.
    port.SetNumPort("ttyS0");
    EXPECT_EQ(port.Port(), peer.SlavePath());
}

TEST_F(PortControlTest, AMissingDeviceCannotBeOpenedAndTheErrorIsDescribed) {
    port.SetNumPort("/dev/kaltor-no-such-port");
    EXPECT_EQ(port.OpenPort(), -2);
    EXPECT_NE(port.LastError(), 0);
    EXPECT_NE(port.Description().find("\nError = 0x"), std::string::npos);
    EXPECT_FALSE(port.IsOpen());

    port.EnableDescr = false;
    port.SetNumPort("/dev/kaltor-no-such-port-either");
    port.ErrorString(0);
    const std::string before = port.Description();
    EXPECT_EQ(port.OpenPort(), -2);
    EXPECT_EQ(port.Description(), before);
}

TEST_F(PortControlTest, WritesReachThePeerOneByOneOrBuffered) {
    OpenWithSession();
    size_t written = 0;
    EXPECT_EQ(port.WriteData("ABC", 3, written), 0);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(peer.Receive(3), "ABC");
    port.Buffering = true;
    EXPECT_EQ(port.WriteData("\x01xyz\x03", 5, written), 0);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(peer.Receive(5), "\x01xyz\x03");
}

TEST_F(PortControlTest, ReadsStopAtTheEndCharacterOrReportItsAbsence) {
    OpenWithSession();
    port.SetTimeout({0, 0, 200, 0, 0});
    port.WaitEndChar = true;
    port.EndChar = '\x03';
    char buffer[16] = {};
    size_t read = 0;

    peer.Send("ab\x03zz");
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), 0);
    EXPECT_EQ(std::string(buffer, read), "ab\x03");

    // "zz" is still waiting: a time-out comes before the end character.
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), -19);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(port.Description(), "End character is absent.\nError = -19");

    // The buffer fills up without the end character.
    peer.Send("12345");
    EXPECT_EQ(port.ReadData(buffer, 4, read), -19);
    EXPECT_EQ(read, 4u);
}

TEST_F(PortControlTest, APlainReadReturnsWhatCameWithinTheTimeOut) {
    OpenWithSession();
    port.SetTimeout({0, 0, 300, 0, 0});
    char buffer[16] = {};
    size_t read = 0;
    peer.Send("hello");
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), 0);
    EXPECT_EQ(std::string(buffer, read), "hello");
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), 0);
    EXPECT_EQ(read, 0u);

    // Interval time-outs: the read ends once the bytes stop, long before the total time-out.
    port.SetTimeout({500, 0, 300000, 0, 0});
    peer.Send("xyz");
    const int64_t start = MonotonicMs();
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), 0);
    EXPECT_EQ(std::string(buffer, read), "xyz");
    EXPECT_LT(MonotonicMs() - start, 1000);

    // A total that does not fit 32 bits waits longer, never shorter: the bytes that come late
    // are still read.
    port.SetTimeout({0, 0x80000000u, 100, 0, 0});
    std::thread late([this] {
        usleep(30000);
        peer.Send("ok");
    });
    EXPECT_EQ(port.ReadData(buffer, 2, read), 0);
    late.join();
    EXPECT_EQ(std::string(buffer, read), "ok");
}

TEST_F(PortControlTest, PurgingDropsWaitingInputAndClosingEndsTheSession) {
    OpenWithSession();
    peer.Send("stale");
    usleep(20000);
    EXPECT_EQ(port.ClearBuffers(PURGE_RXABORT | PURGE_RXCLEAR), 0);
    EXPECT_EQ(port.ClearError(), 0);
    port.SetTimeout({ReadReturnsAtOnce, 0, 0, 0, 0});
    char buffer[8];
    size_t read = 99;
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer, read), 0);
    EXPECT_EQ(read, 0u);

    EXPECT_EQ(port.EndSession(true), 0);
    EXPECT_EQ(port.StartSession(false), 0);
    EXPECT_EQ(port.ClosePort(), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.InSession());
    EXPECT_EQ(port.ClosePort(), -1);
    // Reopening starts without a session.
    EXPECT_EQ(port.OpenPort(), 0);
    EXPECT_EQ(port.StartSession(false), 0);
}

TEST_F(PortControlTest, FifoSettingsAreNotAvailableOnThisPlatform) {
    EXPECT_EQ(port.EnableFIFO(true), -24);
    EXPECT_EQ(port.IsFIFOEnable(), -24);
    EXPECT_EQ(port.SetFIFOSize(true, 14), -24);
    EXPECT_EQ(port.GetFIFOSize(false), -24);
}

TEST(PortControlEnumeration, OneEnumerationAtATimeAndAnEmptyMachineListsNothing) {
    FakeSysfs sysfs;
    TPortControl first(sysfs.Root());
    TPortControl second(sysfs.Root());
    EXPECT_EQ(first.BeginEnumeratePorts(), 0);
    EXPECT_EQ(second.BeginEnumeratePorts(), -27);
    EXPECT_EQ(first.EnumeratePorts(), "");
    EXPECT_EQ(first.EnumeratePorts(), "");
    EXPECT_EQ(second.BeginEnumeratePorts(), -27); // still running until it is ended
    EXPECT_EQ(first.EndEnumeratePorts(), 0);
    EXPECT_EQ(second.BeginEnumeratePorts(), 0);
    EXPECT_EQ(second.EndEnumeratePorts(), 0);
    EXPECT_FALSE(first.GetDeviceKey("ttyS0").has_value());
}

TEST(PortControlEnumeration, ListsThePresentPortsByTheirLinuxNames) {
    FakeSysfs sysfs;
    sysfs.AddUsbPort("ttyACM0", "1-1", "0483", "5740");
    sysfs.AddUsbPort("ttyUSB0", "1-2", "0403", "6001");
    TPortControl port(sysfs.Root());
    ASSERT_EQ(port.BeginEnumeratePorts(), 0);
    std::vector<std::string> names;
    for (std::string name = port.EnumeratePorts(); !name.empty(); name = port.EnumeratePorts())
        names.push_back(name);
    EXPECT_EQ(port.EndEnumeratePorts(), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB0", "ttyACM0"}));
    ASSERT_TRUE(port.GetDeviceKey("ttyACM0").has_value());
    EXPECT_EQ(port.GetDeviceKey("ttyACM0")->PortName, "ttyACM0");
    EXPECT_FALSE(port.GetDeviceKey("ttyS0").has_value());
}

} // namespace
