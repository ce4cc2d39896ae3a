#include "monitor/command_line.h"

#include "driver/tables.h"
#include "monitor/script_file.h"
#include "platform/text/text.h"

namespace {

// Code (2), password (6) and separator (1).
constexpr size_t MinCommandLineChars = 9;

// The message that ends the run for this answer; nothing when the command succeeded.
std::optional<std::string> AnswerFailure(const AnswerRecord& answer, ScriptHost& host) {
    if (answer.NotSent()) {
        host.ShowAnswer(answer); // no error field: the previous command's must not stay in view
        return NotSentMessage;
    }
    if (answer.NoAnswer()) return CommandTimeoutMessage;
    if (answer.StatusWord == StatusChecksum) return ChecksumErrorMessage;
    if (!answer.Succeeded()) {
        host.ShowAnswer(answer);
        return CommandErrorMessage;
    }
    return std::nullopt;
}

} // namespace

std::optional<unsigned> CommandCodeFromHex(std::string_view text) {
    unsigned code = 0;
    if (text.size() != 2 || !ParseCommandCode(std::string(text), code)) return std::nullopt;
    return code;
}

std::optional<std::string> CommandLineRefusal(const std::string& line) {
    if (CharCount(line) < MinCommandLineChars) return ShortCommandLineMessage;
    if (!CommandCodeFromHex(CharsFrom(line, 1, 2))) return InvalidCodeMessage;
    return std::nullopt;
}

std::string CommandLineData(const std::string& line) {
    return CharsFrom(line, 3, 6) + CharsFrom(line, 9, 1) + CharsFrom(line, 10);
}

std::optional<std::string> RunCommandLine(const std::string& line, ScriptHost& host) {
    // A line without its separator has no parts to show.
    if (CharCount(line) < MinCommandLineChars) return ShortCommandLineMessage;
    host.ShowCommand(CharsFrom(line, 1, 2), CharsFrom(line, 3, 6), CharsFrom(line, 10));
    host.ProcessMessages();
    if (const auto refusal = CommandLineRefusal(line)) return refusal;
    const auto code = CommandCodeFromHex(CharsFrom(line, 1, 2));
    const AnswerRecord* answer = host.SendScriptCommand(*code, CommandLineData(line));
    if (const auto failure = AnswerFailure(*answer, host)) return failure;
    if (!host.HideData()) host.AddExchange(*answer);
    host.ShowAnswer(*answer);
    return std::nullopt;
}

void ShowCommentLine(const std::string& rest, ScriptHost& host) {
    if (!host.HideData()) host.AddMessage("Комментарий:: " + rest + "!!!");
}
