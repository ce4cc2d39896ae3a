#include "monitor/plain_script.h"

#include "monitor/command_line.h"
#include "monitor/script_messages.h"

void PlainScriptRun::Continue(const std::string& path, int linesDone) {
    host_.ClearStopRequest();
    if (Open(path, linesDone)) {
        for (;;) {
            const Outcome outcome = NextLine();
            if (outcome == Outcome::Failed || outcome == Outcome::End) break;
            if (outcome == Outcome::Command) host_.ProcessMessages();
            if (host_.StopRequested()) break;
            if (outcome == Outcome::Command) host_.Refresh();
        }
    }
    Finish();
}

void PlainScriptRun::Step(const std::string& path, int linesDone) {
    if (Open(path, linesDone)) {
        Outcome outcome = NextLine();
        while (outcome == Outcome::Blank && !host_.StopRequested())
            outcome = NextLine();
        if (outcome == Outcome::Command) host_.ProcessMessages();
    }
    Finish();
}

// Opens the file and passes over the lines already done.
bool PlainScriptRun::Open(const std::string& path, int linesDone) {
    if (!file_.Open(path)) {
        host_.ShowError(script_text::CannotOpen + path);
        return false;
    }
    std::string skipped;
    for (lineNumber_ = 0; lineNumber_ < linesDone; ++lineNumber_)
        if (file_.ReadLine(skipped) == ScriptFile::Read::End) break;
    return true;
}

PlainScriptRun::Outcome PlainScriptRun::NextLine() {
    std::string line;
    const ScriptFile::Read read = file_.ReadLine(line);
    if (read == ScriptFile::Read::End) {
        host_.ShowError(script_text::EndOfFile);
        host_.ShowLineNumber(0);
        return Outcome::End;
    }
    host_.ShowLineNumber(++lineNumber_);
    host_.ProcessMessages();
    if (read == ScriptFile::Read::TooLong) {
        host_.ShowError(script_text::LineTooLong);
        return Outcome::Failed;
    }
    return RunLine(CutTrailingControls(line));
}

PlainScriptRun::Outcome PlainScriptRun::RunLine(const std::string& line) {
    if (line.empty()) return Outcome::Blank;
    if (line[0] == ';') return Outcome::Comment;
    if (line[0] == '+') {
        ShowCommentLine(line.substr(1), host_);
        return Outcome::Comment;
    }
    return RunCommandLine(line, host_) ? Outcome::Command : Outcome::Failed;
}

void PlainScriptRun::Finish() {
    host_.Refresh();
    file_.Close();
}
