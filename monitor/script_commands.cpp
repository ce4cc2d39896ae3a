// Register commands built from variables, and operations into variables.
#include "monitor/command_line.h"
#include "monitor/script_arithmetic.h"
#include "monitor/script_interpreter.h"
#include "platform/text/text.h"

namespace {

constexpr unsigned MaxCommandCode = 255;

std::optional<int> OperationCode(const std::string& text) {
    if (text.empty() || !IsNumb(text)) return std::nullopt;
    if (text.size() > 4) return 9999; // no operation has such a code
    return std::stoi(text);
}

} // namespace

std::optional<std::string> ScriptInterpreter::ParameterValue(const std::string& text) const {
    if (const int variable = FindVariable(text); variable >= 0) return variables_[variable].value;
    if (IsNumb(text)) return text;
    if (IsStr(text)) return Unquote(text);
    return std::nullopt;
}

ScriptInterpreter::Next ScriptInterpreter::RunCommand(const std::string& rest) {
    RequireBody(script_text::NewOutsideDeclarations);
    justDeclared_ = false;
    const auto arguments = SplitArguments(rest);
    if (!arguments) throw ScriptError{script_text::BadFirstParameter, ScriptError::WithLine};
    const int code = StrToInt((*arguments)[0]);
    if (code < 0 || static_cast<unsigned>(code) > MaxCommandCode)
        throw ScriptError{script_text::CodeOutOfRange, ScriptError::WithLine};
    std::string data;
    for (size_t i = 1; i < arguments->size(); ++i) {
        const auto value = ParameterValue((*arguments)[i]);
        if (!value) throw ScriptError{script_text::BadFirstParameter, ScriptError::WithLine};
        data += *value + ";";
    }
    const AnswerRecord* answer = host_.SendScriptCommand(static_cast<unsigned>(code), data);
    if (answer->NotSent()) {
        Fail(NotSentMessage);
        return Next::End;
    }
    if (answer->NoAnswer()) {
        Fail(CommandTimeoutMessage);
        return Next::End;
    }
    // An error code is the script's to read; only a command the register took was done.
    if (answer->Succeeded()) taken_.Add(FileLine());
    return Next::Go;
}

void ScriptInterpreter::Oper(const std::string& rest) {
    RequireBody(script_text::NewOutsideDeclarations);
    justDeclared_ = false;
    const auto arguments = SplitArguments(rest);
    if (!arguments) throw ScriptError{script_text::BadFirstParameter, ScriptError::WithLine};
    const std::vector<std::string>& args = *arguments;
    const auto a = ParameterValue(args[0]);
    if (!a) throw ScriptError{script_text::BadFirstParameter, ScriptError::WithLine};
    const auto b = args.size() > 1 ? ParameterValue(args[1]) : std::nullopt;
    if (!b) throw ScriptError{script_text::BadSecondParameter, ScriptError::WithLine};
    const auto code = args.size() > 2 ? OperationCode(args[2]) : std::nullopt;
    if (!code) throw ScriptError{script_text::BadOperation, ScriptError::WithLine};
    const int result = args.size() > 3 ? FindVariable(args.back()) : -1;
    if (result < 0) throw ScriptError{script_text::BadResult, ScriptError::WithLine};
    const OperOperand operandA{*a, FindVariable(args[0]) < 0 && !IsNumb(args[0])};
    const OperOperand operandB{*b, FindVariable(args[1]) < 0 && !IsNumb(args[1])};
    if ((operandA.isString || operandB.isString) && NeedsNumbers(*code))
        throw ScriptError{script_text::BadOperation, ScriptError::WithLine};
    if (auto value = Operate(*code, operandA, operandB, random_))
        variables_[result].value = std::move(*value);
}
