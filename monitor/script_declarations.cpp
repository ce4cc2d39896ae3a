// Declarations, assignments, printing and pauses of the extended script language.
#include <algorithm>

#include "monitor/script_interpreter.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"

namespace {

// A long pause is slept in steps this long, so that the stop button is looked at in between.
constexpr int DelayStepMs = 50;

} // namespace

void ScriptInterpreter::DeclareBeg() {
    if (declarationState_ != 0) throw ScriptError{script_text::RepeatedDeclareBeg};
    declarationState_ = 1;
}

void ScriptInterpreter::New(const std::string& rest) {
    if (declarationState_ != 1 && declarationState_ != 2)
        throw ScriptError{script_text::NewOutsideDeclarations};
    if (variables_.size() >= ScriptTableSize)
        throw ScriptError{script_text::TooManyVariables, ScriptError::WithLine};
    variables_.push_back({TrimLine(rest), {}});
    const int count = static_cast<int>(variables_.size());
    host_.SetVariableCount(count);
    host_.SetVariableRow(count, variables_.back().name, {});
    declarationState_ = 2;
}

void ScriptInterpreter::DeclareEnd() {
    if (declarationState_ != 1 && declarationState_ != 2) throw ScriptError{script_text::MisplacedDeclareEnd};
    declarationState_ = 3;
    justDeclared_ = true;
}

ScriptInterpreter::Next ScriptInterpreter::Delay(const std::string& rest) {
    for (int left = StrToInt(TrimLine(rest)); left > 0; left -= DelayStepMs) {
        Sleep(static_cast<unsigned>(std::min(left, DelayStepMs)));
        host_.ProcessMessages();
        if (host_.StopRequested()) return Next::End;
    }
    return Next::Go;
}

void ScriptInterpreter::Set(const std::string& rest) {
    if (declarationState_ != 3) throw ScriptError{script_text::SetBeforeDeclarations};
    const size_t equals = rest.find('=');
    if (equals == std::string::npos) throw ScriptError{script_text::SetWithoutEquals};
    const int target = FindVariable(TrimLine(rest.substr(0, equals)));
    if (target < 0) throw ScriptError{script_text::SetUndeclared};
    const std::string source = TrimLine(rest.substr(equals + 1));
    std::optional<std::string> value;
    if (IsStr(source))
        value = Unquote(source);
    else if (const int field = GetAnsiString(source); field >= 0)
        value = AnswerField(field);
    else if (const int variable = FindVariable(source); variable >= 0)
        value = variables_[variable].value;
    if (!value) return; // an unquoted number is not a value
    variables_[target].value = *value;
    host_.SetVariableValue(target + 1, *value);
}

void ScriptInterpreter::Print(const std::string& rest) {
    if (declarationState_ != 2 && declarationState_ != 3)
        throw ScriptError{script_text::PrintOutsideDeclarations};
    justDeclared_ = false;
    const std::string argument = TrimLine(rest);
    if (const int field = GetAnsiString(argument); field >= 0)
        host_.AddMessage(";" + argument + "=" + AnswerField(field));
    for (const ScriptVariable& variable : variables_)
        if (variable.name == argument) host_.AddMessage(";" + variable.name + "=" + variable.value);
    declarationState_ = 3;
}

void ScriptInterpreter::RequireBody(const std::string& message) const {
    if (declarationState_ != 2 && declarationState_ != 3) throw ScriptError{message};
}
