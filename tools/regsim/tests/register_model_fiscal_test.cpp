// The register's fiscal side: fiscal memory, fiscal parameters, fiscal mode, restart, line pacing.
#include <gtest/gtest.h>

#include <chrono>

#include "tools/regsim/frame_codec.h"
#include "tools/regsim/register_model.h"
#include "tools/regsim/register_simulator.h"
#include "tools/regsim/tests/pty_client.h"

using namespace regsim;

namespace {

TEST(RegisterModelFiscal, FiscalMemoryIsReadWrittenAndClearedInBlocks) {
    RegisterModel model;
    const std::string read = model.Handle(0xF1, "736204;1000;").Data;
    ASSERT_EQ(read.size(), 3u + 100u + 1u);
    EXPECT_EQ(read.substr(0, 3), "50;");
    char first[3];
    std::snprintf(first, sizeof first, "%02X", FiscalMemoryPattern(1000));
    EXPECT_EQ(read.substr(3, 2), first);
    EXPECT_EQ(model.Handle(0xF1, "736204;" + std::to_string(kFiscalMemorySize - 2) + ";").Data.substr(0, 2),
              "2;");
    EXPECT_EQ(model.Handle(0xF1, "736204;" + std::to_string(kFiscalMemorySize) + ";").Data, "0;;");

    EXPECT_EQ(model.Handle(0xF2, "736204;7;2;ABCD" + std::string(96, '0') + ";").Error, kErrorOk);
    EXPECT_EQ(model.State.Fiscal.Memory[7], 0xAB);
    EXPECT_EQ(model.State.Fiscal.Memory[8], 0xCD);
    EXPECT_EQ(model.State.Fiscal.Memory[9], FiscalMemoryPattern(9));

    EXPECT_EQ(model.Handle(0xF0, "736204;").Error, kErrorOk);
    EXPECT_EQ(model.State.Fiscal.Memory[kFiscalMemorySize - 1], 0xFF);
}

// Commands a register refuses, each with the error field it gives.
TEST(RegisterModelFiscal, WrongSequencesAndValuesAreRefused) {
    const std::string hex100(100, '0');
    const struct {
        uint8_t code;
        std::string data;
        bool fiscal;
        const char* error;
    } cases[] = {
        {0xF1, "736204;-1;", false, "0203"},
        {0xF1, "736204;x;", false, "0203"},
        {0xF1, "736204;2000000;", false, "0209"},
        {0xF2, "736204;0;0;" + hex100 + ";", false, "0304"},
        {0xF2, "736204;0;51;" + hex100 + ";", false, "0304"},
        {0xF2, "736204;0;1;" + hex100.substr(2) + ";", false, "0403"},
        {0xF2, "736204;0;1;ab" + hex100.substr(2) + ";", false, "0403"},
        {0xF2, "736204;" + std::to_string(kFiscalMemorySize - 1) + ";2;" + hex100 + ";", false, "0209"},
        {0xF2, "736204;0;1;" + hex100 + ";", true, "0605"},
        {0xF0, "736204;", true, "0605"},
        {0x43, "736204;12345678901;", false, "0203"},
        {0x43, "736204;1234567890;", true, "0605"},
        {0x45, "736204;1234567890123;;", false, "0203"},
        {0x47, "736204;5;01;20.00;A;-1;", false, "0204"},
        {0x47, "736204;0;08;20.00;A;-1;", false, "0304"},
        {0x47, "736204;0;01;20,00;A;-1;", false, "0403"},
        {0x47, "736204;0;01;20.00;A;0;", false, "0604"},
        {0x40, "736204;KV00000002;111111;", false, "0008"},
        {0x40, "736204;KV00000001;1111;", false, "0303"},
        {0x40, "736204;KV00000001;222222;", true, "0006"},
        {0x41, "736204;KV12345;", false, "0805"},
        {0x41, "736204;KV123;", false, "0203"},
    };
    for (const auto& c : cases) {
        RegisterModel model;
        model.State.Fiscal.FiscalMode = c.fiscal;
        model.State.Fiscal.InspectorPassword = "111111";
        EXPECT_EQ(model.Handle(c.code, c.data).Error, c.error) << int(c.code) << " " << c.data;
    }
}

TEST(RegisterModelFiscal, FiscalisationLocksTheParametersAndKeepsTheRegisterBusyAWhile) {
    RegisterModel model;
    model.State.Fiscal.BusyAfterFiscalize = 2;
    EXPECT_EQ(model.Handle(0x40, "736204;KV00000001;111111;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x80, "736204;").Error, "0105");
    EXPECT_EQ(model.Handle(0x80, "736204;").Error, "0105");
    EXPECT_EQ(model.Handle(0x80, "736204;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x40, "736204;KV00000001;111111;").Error, kErrorPassword);
    EXPECT_EQ(model.Handle(0x40, "111111;KV00000001;222222;").Error, kErrorOk);
    EXPECT_EQ(model.State.Fiscal.InspectorPassword, "222222");
    EXPECT_EQ(model.Handle(0x47, "736204;0;01;20.00;A;-1;").Error, "0605");
}

TEST(RegisterModelFiscal, TheFactoryNumberWantsTheClockAndIsWrittenOnce) {
    RegisterModel model;
    model.State.Fiscal.RestartMs = 60000;
    EXPECT_EQ(model.Handle(0x20, "736204;070326;0905;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0xF3, "736204;").Error, kErrorOk);
    EXPECT_TRUE(model.Handle(0x41, "736204;KV1234567;").Silent);
    model.State.Fiscal.RestartEnds = {};
    EXPECT_EQ(model.Handle(0x41, "736204;KV1234567;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x42, "736204;").Data, "KV1234567;");
    EXPECT_EQ(model.Handle(0x41, "736204;KV7654321;").Error, "0605");
}

TEST(RegisterModelFiscal, TaxesAndNumbersAreAnsweredAsKept) {
    RegisterModel model;
    EXPECT_EQ(model.Handle(0x47, "736204;2;06;7.5;Збір;4;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x48, "736204;2;").Data, "6;7.5;Збір;4;");
    EXPECT_EQ(model.Handle(0x45, "736204;;123;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x46, "736204;").Data, ";123;");
}

// At 1200 baud a command and its answer take their wire time: 10 bits a byte.
TEST(RegisterSimulatorPacing, BytesTakeTheirWireTimeBothWays) {
    RegisterSimulator sim;
    ASSERT_TRUE(sim.Start());
    sim.SetBaudRate(1200);
    regsim_test::PtyClient client(sim.PortPath());
    const std::string frame = regsim_test::CommandFrame(0x21, 0x21, "736204;");
    const auto start = std::chrono::steady_clock::now();
    client.Write(frame);
    const std::string answer = client.ReadAnswer(3000);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(answer.back(), '\x03');
    EXPECT_GE(seconds, (frame.size() + answer.size()) * 10.0 / 1200 * 0.98);
}

} // namespace
