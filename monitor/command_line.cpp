#include "monitor/command_line.h"

#include "driver/tables.h"
#include "monitor/script_file.h"
#include "platform/text/text.h"

namespace {

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

bool RunCommandLine(const std::string& line, ScriptHost& host) {
    if (CharCount(line) < 9) {
        host.ShowError(ShortCommandLineMessage);
        return false;
    }
    const std::string codeText = CharsFrom(line, 1, 2);
    const std::string password = CharsFrom(line, 3, 6);
    const std::string separator = CharsFrom(line, 9, 1);
    const std::string data = CharsFrom(line, 10);
    host.ShowCommand(codeText, password, data);
    host.ProcessMessages();
    const auto code = CommandCodeFromHex(codeText);
    if (!code) {
        host.ShowError(InvalidCodeMessage);
        return false;
    }
    const AnswerRecord* answer = host.SendScriptCommand(*code, password + separator + data);
    if (const auto failure = AnswerFailure(*answer, host)) {
        host.ShowError(*failure);
        return false;
    }
    if (!host.HideData()) host.AddExchange(*answer);
    host.ShowAnswer(*answer);
    return true;
}

void ShowCommentLine(const std::string& rest, ScriptHost& host) {
    if (!host.HideData()) host.AddMessage("Комментарий:: " + rest + "!!!");
}
