#include "monitor/script_interpreter.h"

#include "monitor/command_line.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"

ScriptInterpreter::ScriptInterpreter(ScriptHost& host) : host_(host) {}

void ScriptInterpreter::Run(const std::string& path) {
    Begin();
    if (!file_.Open(path)) {
        host_.ShowError(script_text::CannotOpen + path);
        return;
    }
    RunOpenFile();
}

void ScriptInterpreter::RunText(const std::string& bytes) {
    Begin();
    file_.OpenText(bytes);
    RunOpenFile();
}

void ScriptInterpreter::RunOpenFile() {
    RunLines();
    host_.Refresh();
    file_.Close();
}

// Everything of a run starts afresh, the just-declared flag included.
void ScriptInterpreter::Begin() {
    random_.seed(static_cast<uint64_t>(MonotonicMs()) ^ std::random_device{}());
    host_.ClearStopRequest();
    variables_.clear();
    whileFrames_.clear();
    whileStack_.clear();
    ifFrames_.clear();
    ifStack_.clear();
    declarationState_ = 0;
    justDeclared_ = false;
    linePosition_ = 0;
    lineNumber_ = 0;
    taken_ = {};
}

ScriptInterpreter::Next ScriptInterpreter::RunLines() {
    std::string raw;
    while (true) {
        linePosition_ = file_.Offset();
        const ScriptFile::Read read = file_.ReadLine(raw);
        if (read == ScriptFile::Read::End) {
            host_.ShowError(script_text::EndOfFile);
            host_.ShowLineNumber(0);
            return Next::End;
        }
        host_.ShowLineNumber(++lineNumber_);
        host_.ProcessMessages();
        if (read == ScriptFile::Read::TooLong) {
            Fail(script_text::LineTooLong + "\nСтрока " + std::to_string(FileLine()) + ".");
            return Next::End;
        }
        if (RunLine(TrimLine(raw)) == Next::End) return Next::End;
        if (host_.StopRequested()) return Next::End;
    }
}

ScriptInterpreter::Next ScriptInterpreter::RunLine(const std::string& line) {
    if (line.empty()) return Next::Go;
    line_ = line;
    try {
        return RunStatement(Recognise(line));
    } catch (const ScriptError& error) {
        Report(error);
    } catch (const EConvertError& error) {
        Report({error.Message(), ScriptError::Fault});
    }
    return Next::End;
}

ScriptInterpreter::Next ScriptInterpreter::RunStatement(const RecognisedLine& recognised) {
    if (justDeclared_ && OpensDeclaration(line_)) throw ScriptError{script_text::MisplacedDeclaration};
    switch (recognised.statement) {
    case Statement::Comment:
        return Next::Go;
    case Statement::ShownComment:
        ShowCommentLine(recognised.rest, host_);
        return Next::Go;
    case Statement::DeclareBeg:
        DeclareBeg();
        return Next::Go;
    case Statement::New:
        New(recognised.rest);
        return Next::Go;
    case Statement::DeclareEnd:
        DeclareEnd();
        return Next::Go;
    case Statement::Delay:
        return Delay(recognised.rest);
    case Statement::Set:
        Set(recognised.rest);
        return Next::Go;
    case Statement::While:
        While(recognised.rest);
        return Next::Go;
    case Statement::EndWhile:
        EndWhile();
        return Next::Go;
    case Statement::If:
        If(recognised.rest);
        return Next::Go;
    case Statement::Then:
        Then();
        return Next::Go;
    case Statement::Else:
        Else();
        return Next::Go;
    case Statement::EndIf:
        EndIf();
        return Next::Go;
    case Statement::RunCommand:
        return RunCommand(recognised.rest);
    case Statement::Oper:
        Oper(recognised.rest);
        return Next::Go;
    case Statement::Print:
        Print(recognised.rest);
        return Next::Go;
    case Statement::CommandLine:
        break;
    }
    if (const auto failure = RunCommandLine(line_, host_)) {
        Fail(*failure);
        return Next::End;
    }
    taken_.Add(FileLine());
    host_.ProcessMessages();
    if (!host_.StopRequested()) host_.Refresh();
    return Next::Go;
}

void ScriptInterpreter::Report(const ScriptError& error) {
    if (error.kind == ScriptError::Fault)
        Fail(error.message + "\nСтрока " + std::to_string(FileLine()) + ": " + line_);
    else
        Fail(error.message);
    if (error.kind != ScriptError::Plain) host_.AddMessage(line_);
}

int ScriptInterpreter::FileLine() const {
    return file_.LineAt(linePosition_);
}

void ScriptInterpreter::Fail(const std::string& message) {
    host_.ShowError(message + taken_.Note());
}

int ScriptInterpreter::FindVariable(const std::string& name) const {
    for (size_t i = 0; i < variables_.size(); ++i)
        if (variables_[i].name == name) return static_cast<int>(i);
    return -1;
}

std::string ScriptInterpreter::AnswerField(int n) const {
    const AnswerRecord* answer = host_.CurrentAnswer();
    if (answer == nullptr || n < 0 || static_cast<uint32_t>(n) >= answer->FieldCount) return {};
    return answer->Field(n + 1);
}
