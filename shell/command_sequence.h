#pragma once
// A button that sends several commands forms all of them before the first goes out, so that one
// which could never go out stops the sequence before anything in the register changed; and when a
// command fails after earlier ones were taken, its message says which were taken.
//
// A plain run, each command judged in turn, stopping at the first failure:
//     CommandSequence sequence;
//     sequence.Add("строка сообщения 1", [&](int* e) { return AddTmpBuffLine(pw, 0, line, e); },
//                  AnswerCheck().Decoded(caption));
//     sequence.Add("напоминание", [&](int* e) { return SetServiceInfo(...); }, AnswerCheck()...);
//     if (!sequence.Run()) return;
//
// A flow of the window's own: form first, then mark each command of the sequence in its check.
//     if (!sequence.Formable([&] { AddTmpBuffLine(...); SetServiceInfo(...); })) return;
//     if (!CheckAnswer(AddTmpBuffLine(...), AnswerCheck().Decoded(caption).In(sequence, "строка 1")))
//         return; // the message ends with what the register took before
#include <functional>
#include <string>
#include <vector>

#include "shell/session.h"

// Put after the message of a failure, naming what the register took before it (the steps of a
// sequence, or the lines of a script): "\nРегистратор уже принял: строка 1, строка 2."
inline std::string TakenBeforeNote(const std::string& taken) {
    return "\nРегистратор уже принял: " + taken + ".";
}

// Sends one command with the formatter's error result; gives its answer.
using CommandCall = std::function<AnswerRecord*(int* error)>;

class CommandSequence {
public:
    // Runs the calls of every command the sequence will send under a FormingCheck, so nothing is
    // sent. When one of them cannot go out, shows which and why, and that nothing was sent; false.
    bool Formable(const std::function<void()>& formEveryCommand);
    // The same for one of many commands alike, named before the message ("Строка 3: Команда 24h ...").
    bool Formable(const std::string& what, const std::function<void()>& formCommand);

    // A command of a plain run: what it does, named for the technician; how it is sent; how its
    // answer is judged.
    void Add(std::string step, CommandCall call, AnswerCheck check = {});
    // Forms every command added; then sends them in order, each judged by CheckAnswer, and stops at
    // the first failure. True when every command was taken.
    bool Run();

    // A command of the sequence the register took, named for the technician.
    void Taken(std::string step);
    const std::vector<std::string>& TakenSteps() const { return taken_; }

    // Put after the message of a failure: "\nРегистратор уже принял: строка 1, строка 2." Empty while
    // nothing was taken. Three or more steps numbered one after another are named once: "пакет 0-39".
    std::string TakenNote() const;

private:
    struct Command {
        std::string Step;
        CommandCall Call;
        AnswerCheck Check;
    };
    std::vector<Command> commands_;
    std::vector<std::string> taken_;
};
