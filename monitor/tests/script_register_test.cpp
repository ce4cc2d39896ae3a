// Scripts against the simulated register, through the real driver and serial link.
#include "driver/link.h"
#include "monitor/command_line.h"
#include "monitor/script_messages.h"
#include "monitor/tests/script_fixture.h"
#include "platform/clock/clock.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

namespace {

using Lines = std::vector<std::string>;

// The fake host with the real driver behind its register.
class DriverScriptHost : public FakeScriptHost {
public:
    AnswerRecord* SendScriptCommand(unsigned code, const std::string& data) override {
        sent.push_back({code, data});
        current_ = SendCommand(code, data);
        return current_;
    }
    const AnswerRecord* CurrentAnswer() const override { return current_; }

private:
    AnswerRecord* current_ = nullptr;
};

class ScriptRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 115200));
    }
    void TearDown() override {
        CloseLink();
        sim.Stop();
        SetTimeScale(1.0);
    }

    regsim::RegisterSimulator sim;
    ptyserve::FollowServers follow{sim};
    DriverScriptHost host;
};

TEST_F(ScriptRegisterTest, ALoopOfTwentyCommandsSendsTheFramesItBuilds) {
    RunScriptText(Declared({"i", "pwd", "value", "back"}, R"(%Set pwd="736204"
%Set i="0"
%While (i<10)
%Oper(i,7,2,value)
%RunCommand(136,pwd,i,value)
%RunCommand(137,pwd,i)
%Set back=%Ret0
%Print back
%Oper(i,1,0,i)
%EndWhile
)"),
                  host);
    EXPECT_EQ(host.errors, Lines{script_text::EndOfFile});
    const auto frames = sim.Frames();
    ASSERT_EQ(frames.size(), 20u);
    for (int i = 0; i < 10; ++i) {
        const std::string counter = std::to_string(i);
        EXPECT_EQ(frames[2 * i].Code, 0x88);
        EXPECT_EQ(frames[2 * i].Data, "736204;" + counter + ";" + std::to_string(i * 7) + ";");
        EXPECT_EQ(frames[2 * i + 1].Code, 0x89);
        EXPECT_EQ(frames[2 * i + 1].Data, "736204;" + counter + ";");
        EXPECT_TRUE(frames[2 * i].WellFormed && frames[2 * i + 1].WellFormed);
        EXPECT_EQ(host.messages.at(i), ";back=" + std::to_string(i * 7));
    }
}

struct FailureCase {
    const char* name;
    regsim::AnswerOverride answer; // for the second command of the script
    std::string error;
};

class ScriptRegisterFailureTest : public ScriptRegisterTest,
                                  public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ScriptRegisterFailureTest, EndsTheRunAtTheFailingLine) {
    sim.SetOverride(0x89, GetParam().answer);
    RunScriptText("+начало\n88736204;1;5;\n89736204;1;\n21736204;\n", host);
    EXPECT_EQ(host.errors, Lines{GetParam().error + "\nРегистратор уже принял: строка 2."});
    EXPECT_EQ(host.lineNumber, 3);
    EXPECT_EQ(sim.FrameCount(), 2u) << "nothing after the failing line is sent";
    EXPECT_EQ(host.exchanges, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ScriptRegisterFailureTest,
    ::testing::Values(FailureCase{"RegisterError", {.Error = "0006"}, CommandErrorMessage},
                      FailureCase{"Silent", {.Silent = true}, CommandTimeoutMessage},
                      FailureCase{"BadChecksum", {.BadChecksum = true}, ChecksumErrorMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptRegisterTest, RunCommandLeavesTheErrorFieldToTheScriptButNotASilentRegister) {
    sim.SetOverride(0x89, {.Error = "0006"});
    sim.SetOverride(0x21, {.Silent = true});
    RunScriptText(Declared({}, "%RunCommand(137,\"736204\",1)\n%Print %Ret0\n%RunCommand(33,\"736204\")\n"
                               "%RunCommand(137,\"736204\",1)\n"),
                  host);
    EXPECT_EQ(host.errors, Lines{CommandTimeoutMessage});
    EXPECT_EQ(host.messages, Lines{";%Ret0=0"}) << "the answer data of an error answer";
    EXPECT_EQ(sim.FrameCount(), 2u);
}

TEST_F(ScriptRegisterTest, ALongCommandLoopStopsAtTheStopButton) {
    host.stopAtLine = 40;
    RunScriptText(Declared({}, "%While (0<1)\n%RunCommand(33,\"736204\")\n%EndWhile\n"), host);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.linesShown, 40);
    EXPECT_EQ(sim.FrameCount(), 13u); // two declaration lines, then three lines a pass
}

} // namespace
