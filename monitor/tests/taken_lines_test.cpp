// A script run that ends early names the lines whose commands the register took before.
#include "monitor/command_line.h"
#include "monitor/script_messages.h"
#include "monitor/taken_lines.h"
#include "monitor/tests/script_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TakenLines, NamesTheLinesInRanges) {
    const struct {
        std::vector<int> added;
        std::string note;
    } cases[] = {
        {{}, ""},
        {{4}, "\nРегистратор уже принял: строка 4."},
        {{1, 2, 4}, "\nРегистратор уже принял: строки 1-2, 4."},
        {{3, 5, 6, 7, 9}, "\nРегистратор уже принял: строки 3, 5-7, 9."},
        {{6, 7, 6, 7, 6}, "\nРегистратор уже принял: строки 6-7 (всего команд: 5)."},
    };
    for (const auto& c : cases) {
        TakenLines taken;
        for (const int line : c.added)
            taken.Add(line);
        EXPECT_EQ(taken.Note(), c.note);
    }
}

// The commands of an extended script are built while it runs, so each is judged at its line; the
// message that ends the run names what the register took before, counting only commands it took.
TEST(ExtendedScriptTaken, AnEarlyEndNamesTheLinesTakenBefore) {
    const std::string loop =
        "%Set i=\"0\"\n%While (i<3)\n%RunCommand(33,\"736204\")\n%RunCommand(33,\"736204\")\n"
        "%Oper(i,1,0,i)\n%EndWhile\nA0736204;\n";
    const struct {
        const char* name;
        std::string script;
        std::string error;
    } cases[] = {
        {"a language error after a command line", Declared({"i"}, "21736204;\n%Oper(i,1,0,z)\n"),
         "Ошибка результата операции!\nРегистратор уже принял: строка 4."},
        {"a register error after a loop", Declared({"i"}, loop),
         CommandErrorMessage + "\nРегистратор уже принял: строки 6-7 (всего команд: 6)."},
        {"a command answered with an error is not taken",
         Declared({},
                  "%RunCommand(33,\"736204\")\n%RunCommand(160,\"736204\")\n%RunCommand(128,\"736204\")\n"),
         CommandTimeoutMessage + "\nРегистратор уже принял: строка 3."},
        {"a fault after a loop names the file's lines",
         Declared({"i", "a"},
                  "%Set i=\"0\"\n%Set a=\"x\"\n%While (i<2)\n21736204;\n%Oper(i,1,0,i)\n%EndWhile\n"
                  "%Oper(a,1,0,a)\n"),
         "'x' is not a valid integer value\nСтрока 11: %Oper(a,1,0,a)\nРегистратор уже принял: строка 8 "
         "(всего "
         "команд: 2)."},
        {"nothing taken", Declared({}, "A0736204;\n"), CommandErrorMessage},
        {"the end of the file is no failure", Declared({}, "21736204;\n"), script_text::EndOfFile},
    };
    for (const auto& c : cases) {
        FakeScriptHost host;
        host.answerRule = [](const SentCommand& command, AnswerRecord& answer) {
            if (command.code == 0xA0) answer.ErrorField = "0006";
            if (command.code == 0x80) answer.StatusWord = StatusNoAnswer;
        };
        RunScriptText(c.script, host);
        EXPECT_EQ(host.errors, Lines{c.error}) << c.name;
    }
}

} // namespace
