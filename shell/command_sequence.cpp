#include "shell/command_sequence.h"

#include "driver/decoder.h"
#include "driver/formatters.h"
#include "platform/forms/dialogs.h"

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
    std::string note = "\nРегистратор уже принял: ";
    for (size_t i = 0; i < taken_.size(); ++i)
        note += (i ? ", " : "") + taken_[i];
    return note + ".";
}
