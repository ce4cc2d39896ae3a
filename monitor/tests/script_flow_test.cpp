// Loops, branches and the run's limits: nesting, stopping, the tables' sizes, a second run.
#include "monitor/script_messages.h"
#include "monitor/tests/script_fixture.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"

namespace {

using Lines = std::vector<std::string>;
const std::string End = script_text::EndOfFile;

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

TEST(ScriptFlow, CountsToOneHundredWithWhileAndOper) {
    FakeScriptHost host;
    RunScriptText(Declared({"i", "sum"}, "%Set i=\"1\"\n%Set sum=\"0\"\n%While (i<=100)\n%Oper(sum,i,0,sum)\n"
                                         "%Oper(i,1,0,i)\n%EndWhile\n%Print i\n%Print sum\n"),
                  host);
    EXPECT_EQ(host.errors, Lines{End});
    EXPECT_EQ(host.messages, (Lines{";i=101", ";sum=5050"}));
    EXPECT_EQ(host.grid.at(1), (VariableRow{"i", "1"})) << "Oper does not write the grid";
    EXPECT_EQ(host.lineNumber, 0);
}

TEST(ScriptFlow, NestedIfInsideWhileInsideIf) {
    FakeScriptHost host;
    // Prints the even numbers below 6 and, for the others, their remainder by 2.
    RunScriptText(Declared({"i", "r", "go"}, R"(%Set i="0"
%Set go="1"
%If (go==1)
%Then
%While (i<6)
%Oper(i,2,4,r)
%If (r==0)
%Then
%Print i
%Else
%Print r
%EndIf
%Oper(i,1,0,i)
%EndWhile
%Else
+не сюда
%EndIf
+конец
)"),
                  host);
    EXPECT_EQ(host.errors, Lines{End});
    EXPECT_EQ(host.messages,
              (Lines{";i=0", ";r=1", ";i=2", ";r=1", ";i=4", ";r=1", "Комментарий:: конец!!!"}));
}

TEST(ScriptFlow, ABranchWithoutElseInALoopTurnsEachWayOnItsOwnPass) {
    FakeScriptHost host;
    RunScriptText(Declared({"i", "r"}, R"(%Set i="0"
%While (i<5)
%Oper(i,2,4,r)
%If (r==0)
%Then
%Print i
%EndIf
%Oper(i,1,0,i)
%EndWhile
)"),
                  host);
    EXPECT_EQ(host.messages, (Lines{";i=0", ";i=2", ";i=4"}));
}

TEST(ScriptFlow, NestedLoopsRunTheInnerLoopOnEveryOuterPass) {
    FakeScriptHost host;
    RunScriptText(Declared({"i", "j", "n"}, R"(%Set i="0"
%Set n="0"
%While (i<3)
%Set j="0"
%While (j<4)
%Oper(n,1,0,n)
%Oper(j,1,0,j)
%EndWhile
%Oper(i,1,0,i)
%EndWhile
%Print n
)"),
                  host);
    EXPECT_EQ(host.messages, Lines{";n=12"});
}

TEST(ScriptFlow, ALoopWithoutCommandsStopsAtTheStopButton) {
    FakeScriptHost host;
    host.stopAtLine = 500;
    RunScriptText(Declared({"i"}, "%Set i=\"0\"\n%While (0<1)\n%Oper(i,1,0,i)\n%EndWhile\n"), host);
    EXPECT_TRUE(host.errors.empty()) << "a stopped run shows nothing";
    EXPECT_EQ(host.linesShown, 500);
}

TEST(ScriptFlow, ALongDelayStopsAtTheStopButton) {
    SetTimeScale(0.01);
    FakeScriptHost host;
    host.stopAtLine = 1;
    const int64_t start = MonotonicMs();
    RunScriptText("%Delay 3600000\n+после\n", host);
    SetTimeScale(1.0);
    EXPECT_LT(MonotonicMs() - start, 1000);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ScriptFlow, ASecondRunBehavesLikeTheFirst) {
    const std::string path = WriteScriptFile(Declared({"x"}, "%Set x=\"1\"\n%Print x\n%Delay 0\n"));
    FakeScriptHost first, second;
    RunExtendedScript(path, first);
    RunExtendedScript(path, second);
    EXPECT_EQ(first.errors, Lines{End});
    EXPECT_EQ(second.errors, first.errors);
    EXPECT_EQ(second.messages, first.messages);
}

TEST(ScriptFlow, AFileThatCannotBeOpenedEndsTheRunAtOnce) {
    FakeScriptHost host;
    RunExtendedScript("/nonexistent/script.txt", host);
    EXPECT_EQ(host.errors, Lines{script_text::CannotOpen + "/nonexistent/script.txt"});
    EXPECT_EQ(host.linesShown, 0);
}

TEST(ScriptFlow, RandomNumbersStayInsideARangeWiderThanTheOldGenerator) {
    FakeScriptHost host;
    // B below A: the range runs from B to A.
    RunScriptText(Declared({"i", "a", "b", "r"}, R"(%Set i="0"
%Set a="1000000"
%Set b="-1000000"
%While (i<300)
%Oper(a,b,7,r)
%Print r
%Oper(i,1,0,i)
%EndWhile
)"),
                  host);
    ASSERT_EQ(host.messages.size(), 300u);
    int beyondOldRange = 0;
    for (const std::string& line : host.messages) {
        const int value = StrToInt(line.substr(3));
        EXPECT_GE(value, -1000000);
        EXPECT_LE(value, 1000000);
        if (value > 32767 || value < -32768) ++beyondOldRange;
    }
    EXPECT_GT(beyondOldRange, 200);
}

struct LimitCase {
    const char* name;
    std::string script;
    std::string error;
};

class ScriptLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ScriptLimitTest, EndsTheRunWithAMessage) {
    FakeScriptHost host;
    RunScriptText(GetParam().script, host);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], GetParam().error);
}

std::string DeclaredCount(int count, const std::string& body) {
    return "%DeclareBeg\n" + Repeat("%New v\n", count) + "%DeclareEnd\n" + body;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ScriptLimitTest,
    ::testing::Values(LimitCase{"HundredVariablesFit", DeclaredCount(100, ""), End},
                      LimitCase{"TooManyVariables", DeclaredCount(101, ""), script_text::TooManyVariables},
                      LimitCase{"HundredNestedLoopsFit", DeclaredCount(1, Repeat("%While (1<2)\n", 100)),
                                End},
                      LimitCase{"LoopsNestedBeyondTheTable", DeclaredCount(1, Repeat("%While (1<2)\n", 101)),
                                script_text::TooManyLoops},
                      LimitCase{"TooManyLoops", DeclaredCount(1, Repeat("%While (2<1)\n%EndWhile\n", 101)),
                                script_text::TooManyLoops},
                      LimitCase{"BranchesNestedBeyondTheTable", DeclaredCount(1, Repeat("%If (1<2)\n", 101)),
                                script_text::TooManyBranches},
                      LimitCase{"TooManyBranches", DeclaredCount(1, Repeat("%If (1<2)\n%EndIf\n", 101)),
                                script_text::TooManyBranches}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
