// Whole scripts through the interpreter against the fake register: what each statement sends,
// prints and reports, and the faults a run must not have.
#include "monitor/command_line.h"
#include "monitor/script_messages.h"
#include "monitor/tests/script_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using Commands = std::vector<SentCommand>;
const std::string End = script_text::EndOfFile;

struct RunCase {
    const char* name;
    std::string script;
    Lines errors;   // message boxes, in order
    Lines messages; // the message list
    Commands sent = {};
};

class ScriptRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(ScriptRunTest, ShowsAndSendsWhatTheScriptSays) {
    const RunCase& c = GetParam();
    FakeScriptHost host;
    host.AnswerFields({"F0", "F1", "F2"});
    RunScriptText(c.script, host);
    EXPECT_EQ(host.errors, c.errors);
    EXPECT_EQ(host.messages, c.messages);
    EXPECT_EQ(host.sent, c.sent);
}

// Counts i from 0 while the condition holds, printing i in the body.
std::string CountingLoop(const std::string& start, const std::string& condition) {
    return Declared({"i"}, "%Set i=\"" + start + "\"\n%While (" + condition +
                               ")\n%Print i\n%Oper(i,1,0,i)\n%EndWhile\n");
}

INSTANTIATE_TEST_SUITE_P(
    Statements, ScriptRunTest,
    ::testing::Values(
        RunCase{"SetBeforeDeclarations", "%Set x=\"1\"\n", {script_text::SetBeforeDeclarations}, {}},
        RunCase{"DeclareBegTwice", "%DeclareBeg\n%DeclareBeg\n", {script_text::RepeatedDeclareBeg}, {}},
        RunCase{"NewOutsideDeclarations", "%New x\n", {script_text::NewOutsideDeclarations}, {}},
        RunCase{"DeclareEndWithoutBeg", "%DeclareEnd\n", {script_text::MisplacedDeclareEnd}, {}},
        RunCase{"DeclarationRightAfterDeclareEnd",
                Declared({"x"}, "%New y\n"),
                {script_text::MisplacedDeclaration},
                {}},
        RunCase{"PrintBeforeDeclarations", "%Print x\n", {script_text::PrintOutsideDeclarations}, {}},
        RunCase{"WhileBeforeDeclarations", "%While (1<2)\n", {script_text::NewOutsideDeclarations}, {}},
        RunCase{"IfBeforeDeclarations", "%If (1<2)\n", {script_text::IfOutsideDeclarations}, {}},
        RunCase{"SetWithoutEquals", Declared({"x"}, "%Set x \"1\"\n"), {script_text::SetWithoutEquals}, {}},
        RunCase{"SetOfUndeclared", Declared({"x"}, "%Set y=\"1\"\n"), {script_text::SetUndeclared}, {}},
        RunCase{"SetFromVariableAndUnquotedNumber",
                Declared({"x", "y"}, "%Set x=\"7\"\n%Set y=x\n%Set x=5\n%Print x\n%Print y\n"),
                {End},
                {";x=7", ";y=7"}},
        RunCase{"SameNameTwiceFindsTheFirst",
                Declared({"x", "x"}, "%Set x=\"1\"\n%Print x\n"),
                {End},
                {";x=1", ";x="}},
        RunCase{"NamesAreCaseSensitive", Declared({"x"}, "%Set X=\"1\"\n"), {script_text::SetUndeclared}, {}},
        RunCase{"RetReferencesCountFromZero",
                Declared({"x"}, "%RunCommand(33)\n%Set x=%Ret1\n%Print x\n%Print %Ret0\n"),
                {End},
                {";x=F1", ";%Ret0=F0"},
                {{0x21, ""}}},
        RunCase{"RunCommandWithParameters",
                Declared({"pwd"}, "%Set pwd=\"736204\"\n%RunCommand(97, pwd, \"0\")\n%RunCommand(33,12)\n"),
                {End},
                {},
                {{0x61, "736204;0;"}, {0x21, "12;"}}},
        RunCase{"RunCommandBadParameter",
                Declared({}, "%RunCommand(97,nope)\n"),
                {script_text::BadFirstParameter},
                {"%RunCommand(97,nope)"}},
        RunCase{"CommandLineAndComments",
                "+Начало\n;ничего\n21736204;\n",
                {End},
                {"Комментарий:: Начало!!!"},
                {{0x21, "736204;"}}},
        RunCase{"ConditionWithoutOperator",
                Declared({"i"}, "%While (i)\n"),
                {script_text::BadWhileOperator},
                {"%While (i)"}},
        RunCase{"ConditionWithUnknownOperand",
                Declared({"i"}, "%If (i<k)\n"),
                {script_text::BadVariable},
                {"%If (i<k)"}},
        RunCase{"LoopRunsWhileTheConditionHolds", CountingLoop("0", "i<3"), {End}, {";i=0", ";i=1", ";i=2"}},
        RunCase{"LessOrEqualFoundBeforeLess", CountingLoop("0", "i<=2"), {End}, {";i=0", ";i=1", ";i=2"}},
        RunCase{"GreaterOrEqual", CountingLoop("0", "2>=i"), {End}, {";i=0", ";i=1", ";i=2"}},
        RunCase{"IfThenElse",
                Declared({"a", "b"},
                         "%Set a=\"1\"\n%Set b=\"1\"\n%If (a==b)\n%Then\n%Print a\n%Else\n"
                         "+не сюда\n%EndIf\n%If (a>b)\n%Then\n+не сюда\n%Else\n%Print b\n%EndIf\n"),
                {End},
                {";a=1", ";b=1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each of these scripts showed a fault of the language as it was first written.
INSTANTIATE_TEST_SUITE_P(
    MendedFaults, ScriptRunTest,
    ::testing::Values(
        RunCase{"CommentedWhileIsAComment",
                Declared({"i"}, ";%While (i<3)\n+%EndWhile\n%Print i\n"),
                {End},
                {"Комментарий:: %EndWhile!!!", ";i="}},
        RunCase{"FalseWhileNeverRunsItsBody", CountingLoop("5", "i<3"), {End}, {}},
        RunCase{"FalseWhileSkipsNestedLoops",
                Declared({"i", "j"}, "%Set i=\"5\"\n%Set j=\"0\"\n%While (i<3)\n%While (j<3)\n%Print j\n"
                                     "%EndWhile\n%Print i\n%EndWhile\n+после\n"),
                {End},
                {"Комментарий:: после!!!"}},
        RunCase{"FalseIfWithoutElseSkipsToItsOwnEndIf",
                Declared({"a"}, "%Set a=\"1\"\n%If (a>5)\n%Then\n+нет\n%EndIf\n%Print a\n%If (a<5)\n%Then\n"
                                "+да\n%Else\n+нет\n%EndIf\n"),
                {End},
                {";a=1", "Комментарий:: да!!!"}},
        RunCase{"FalseIfSkipsTheElseOfAnInnerIf",
                Declared({"a"}, "%Set a=\"1\"\n%If (a>5)\n%Then\n%If (a<5)\n%Then\n+нет\n%Else\n+нет\n"
                                "%EndIf\n%Else\n+да\n%EndIf\n"),
                {End},
                {"Комментарий:: да!!!"}},
        RunCase{"EndWhileWithoutWhile",
                Declared({}, "%EndWhile\n"),
                {script_text::EndWhileWithoutWhile},
                {"%EndWhile"}},
        RunCase{"ThenWithoutIf", Declared({}, "%Then\n"), {script_text::ThenWithoutIf}, {"%Then"}},
        RunCase{"ElseWithoutIf", Declared({}, "%Else\n"), {script_text::ElseWithoutIf}, {"%Else"}},
        RunCase{"EndIfWithoutIf", Declared({}, "%EndIf\n"), {script_text::EndIfWithoutIf}, {"%EndIf"}},
        RunCase{"RetPastTheFieldsIsEmpty",
                Declared({}, "%RunCommand(33)\n%Print %Ret3\n%Print %Ret99\n"),
                {End},
                {";%Ret3=", ";%Ret99="},
                {{0x21, ""}}},
        RunCase{"RetBeforeAnyCommandIsEmpty", Declared({}, "%Print %Ret0\n"), {End}, {";%Ret0="}},
        RunCase{"CommandCodeAboveByte",
                Declared({}, "%RunCommand(289)\n"),
                {script_text::CodeOutOfRange},
                {"%RunCommand(289)"}},
        RunCase{"NegativeCommandCode",
                Declared({}, "%RunCommand(-1)\n"),
                {script_text::CodeOutOfRange},
                {"%RunCommand(-1)"}},
        RunCase{"BlankLineIsSkipped", "   \n \t \n21736204;x\n", {End}, {}, {{0x21, "736204;x"}}},
        RunCase{"LongLineIsRefusedWhole",
                "21736204;" + std::string(300, 'x') + "\n21736204;\n",
                {script_text::LineTooLong + "\nСтрока 1."},
                {}},
        RunCase{"LineOfMaximumLengthRuns",
                "21736204;" + std::string(290, 'x') + "\r\n",
                {End},
                {},
                {{0x21, "736204;" + std::string(290, 'x')}}},
        RunCase{"ShortCommandLine", "21736\n", {ShortCommandLineMessage}, {}},
        RunCase{"BadCodeDigitIsNotSent", "2g736204;\n", {InvalidCodeMessage}, {}},
        RunCase{"NegativeDelayDoesNotPause",
                Declared({}, "%Delay -5000\n+дальше\n"),
                {End},
                {"Комментарий:: дальше!!!"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
