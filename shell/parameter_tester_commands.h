#pragma once
// The parameter tester's commands: for each code, the checks of its inputs and the driver function
// that sends it.
#include <array>
#include <string>

#include "driver/answer_record.h"
#include "shell/parameter_tester_setup.h"
#include "shell/session.h" // NotSentMessage

using ApiInputs = std::array<std::string, ApiParameterRows>;

enum class TesterOutcome {
    Sent,        // the command went out; Answer holds the record
    Refused,     // an input was refused before sending; Message says which
    NotSent,     // the tester has no call for this code; nothing went out
    UnknownCode, // the code is not one the tester knows
};

struct TesterResult {
    TesterOutcome Outcome = TesterOutcome::UnknownCode;
    AnswerRecord* Answer = nullptr;
    std::string Message; // for every outcome but Sent
};

inline const std::string UnknownCodeMessage = "Ошибка! Неверный код команды!";

// Checks the inputs of the command and sends it with the password. A text that is not a number where
// the command needs one raises EConvertError.
TesterResult RunTesterCommand(int code, const std::string& password, const ApiInputs& inputs);
