#include "monitor/plain_script.h"

#include "driver/decoder.h"
#include "driver/formatters.h"
#include "monitor/command_line.h"
#include "monitor/script_messages.h"

namespace {

// A line (trailing control characters cut) that is neither blank nor a comment: a command to send.
bool IsCommandLine(const std::string& line) {
    return !line.empty() && line[0] != ';' && line[0] != '+';
}

// Why the run could not send this line as read (its trailing control characters cut); nothing for a
// line it passes over or can send.
std::optional<std::string> LineRefusal(ScriptFile::Read read, const std::string& line) {
    if (read == ScriptFile::Read::TooLong) return script_text::LineTooLong;
    if (!IsCommandLine(line)) return std::nullopt;
    if (auto refusal = CommandLineRefusal(line)) return refusal;
    if (FitsInFrame(CommandLineData(line))) return std::nullopt;
    const unsigned code = *CommandCodeFromHex(CharsFrom(line, 1, 2));
    return UnformableCommandText(code, RefusalDataTooLong);
}

std::string RefusedLineMessage(int number, const std::string& refusal) {
    return "Строка " + std::to_string(number) + ": " + refusal + NothingSentNote;
}

} // namespace

void PlainScriptRun::Continue(const std::string& path, int linesDone) {
    host_.ClearStopRequest();
    if (Open(path, linesDone) && RestSendable()) {
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

bool PlainScriptRun::RestSendable() {
    const size_t start = file_.Offset();
    std::string line;
    std::optional<std::string> refusal;
    int number = lineNumber_;
    while (!refusal) {
        const ScriptFile::Read read = file_.ReadLine(line);
        if (read == ScriptFile::Read::End) break;
        ++number;
        refusal = LineRefusal(read, CutTrailingControls(line));
    }
    file_.Seek(start);
    if (refusal) host_.ShowError(RefusedLineMessage(number, *refusal));
    return !refusal;
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
    const std::string cut = CutTrailingControls(line);
    // A step checks the one line it reaches; a continued run checked them all before its first.
    if (const auto refusal = LineRefusal(read, cut)) {
        host_.ShowError(RefusedLineMessage(lineNumber_, *refusal));
        return Outcome::Failed;
    }
    return RunLine(cut);
}

PlainScriptRun::Outcome PlainScriptRun::RunLine(const std::string& line) {
    if (line.empty()) return Outcome::Blank;
    if (!IsCommandLine(line)) {
        if (line[0] == '+') ShowCommentLine(line.substr(1), host_);
        return Outcome::Comment;
    }
    if (const auto failure = RunCommandLine(line, host_)) {
        host_.ShowError(*failure + taken_.Note());
        return Outcome::Failed;
    }
    taken_.Add(lineNumber_);
    return Outcome::Command;
}

void PlainScriptRun::Finish() {
    host_.Refresh();
    file_.Close();
}
