#include "shell/command_sequence.h"

#include "driver/decoder.h"
#include "driver/formatters.h"
#include "platform/forms/dialogs.h"

namespace {
// A step named "<name> <number>", as "пакет логотипа 7"; Number is -1 for a step named otherwise.
struct NumberedStep {
    std::string Name;
    long Number = -1;
};

NumberedStep Numbered(const std::string& step) {
    const size_t space = step.rfind(' ');
    const size_t digits = space == std::string::npos ? 0 : step.size() - space - 1;
    if (digits == 0 || digits > 9) return {step};
    long number = 0;
    for (size_t i = space + 1; i < step.size(); ++i) {
        if (step[i] < '0' || step[i] > '9') return {step};
        number = number * 10 + (step[i] - '0');
    }
    return {step.substr(0, space), number};
}

// Three or more steps numbered one after another are named once, "пакет логотипа 0-39", so that a
// long upload does not fill the message.
std::vector<std::string> FoldedSteps(const std::vector<std::string>& steps) {
    std::vector<std::string> folded;
    for (size_t first = 0; first < steps.size();) {
        const NumberedStep start = Numbered(steps[first]);
        size_t end = first + 1;
        while (start.Number >= 0 && end < steps.size()) {
            const NumberedStep next = Numbered(steps[end]);
            if (next.Name != start.Name || next.Number != start.Number + static_cast<long>(end - first))
                break;
            ++end;
        }
        if (end - first >= 3) {
            folded.push_back(start.Name + " " + std::to_string(start.Number) + "-" +
                             std::to_string(start.Number + static_cast<long>(end - first) - 1));
        } else {
            folded.insert(folded.end(), steps.begin() + static_cast<long>(first),
                          steps.begin() + static_cast<long>(end));
        }
        first = end;
    }
    return folded;
}
} // namespace

bool CommandSequence::Formable(const std::function<void()>& formEveryCommand) {
    return Formable("", formEveryCommand);
}

bool CommandSequence::Formable(const std::string& what, const std::function<void()>& formCommand) {
    FormingCheck check;
    formCommand();
    if (check.FirstRefusal() == 0) return true;
    const std::string message = UnformableCommandMessage(check.FirstRefusedCommand(), check.FirstRefusal());
    ShowMessage(what.empty() ? message : what + ": " + message);
    return false;
}

void CommandSequence::Add(std::string step, CommandCall call, AnswerCheck check) {
    commands_.push_back({std::move(step), std::move(call), std::move(check)});
}

bool CommandSequence::Run() {
    const bool formable = Formable([this] {
        for (const Command& command : commands_)
            command.Call(nullptr);
    });
    if (!formable) return false;
    for (const Command& command : commands_) {
        int error = 0;
        AnswerRecord* answer = command.Call(&error);
        AnswerCheck check = command.Check;
        if (!CheckAnswer(answer, check.Refusal(&error).In(*this, command.Step))) return false;
    }
    return true;
}

void CommandSequence::Taken(std::string step) {
    taken_.push_back(std::move(step));
}

std::string CommandSequence::TakenNote() const {
    if (taken_.empty()) return "";
    std::string steps;
    for (const std::string& step : FoldedSteps(taken_))
        steps += (steps.empty() ? "" : ", ") + step;
    return TakenBeforeNote(steps);
}
