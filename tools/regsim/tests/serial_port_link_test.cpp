// The simulator's port as the program opens it: through the platform's serial port.
#include <gtest/gtest.h>

#include "platform/serial/serial_port.h"
#include "tools/regsim/frame_codec.h"
#include "tools/regsim/register_simulator.h"
#include "tools/regsim/tests/pty_client.h"

using namespace regsim;

TEST(RegisterSimulator, ServesTheProgramsSerialPortAcrossReopening) {
    RegisterSimulator sim;
    ASSERT_TRUE(sim.Start());
    sim.SetClock({2026, 3, 7, 9, 5, 3}, false);
    const std::string query = regsim_test::CommandFrame(0x21, 0x21, "736204;");
    const std::array<uint8_t, 6> idle = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    const std::string expected = BuildAnswerFrame({0x21, 0x21, "0000", "070326;0905;", idle});
    for (int round = 0; round < 2; ++round) {
        SerialPort port;
        ASSERT_EQ(port.Open(sim.PortPath()), SerialError::None);
        ASSERT_EQ(port.Configure({}), SerialError::None);
        ASSERT_EQ(port.Write(query.data(), query.size()), static_cast<long>(query.size()));
        std::string answer(expected.size(), '\0');
        EXPECT_EQ(port.Read(answer.data(), answer.size(), 2000), static_cast<long>(expected.size()));
        EXPECT_EQ(answer, expected);
    }
}
