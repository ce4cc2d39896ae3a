#include "monitor/command_line.h"

#include "monitor/script_file.h"
#include "platform/text/text.h"

namespace {

std::optional<unsigned> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return std::nullopt;
}

// The message that ends the run for this answer; nothing when the command succeeded.
std::optional<std::string> AnswerFailure(const AnswerRecord& answer, ScriptHost& host) {
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
    if (text.size() != 2) return std::nullopt;
    const auto high = HexDigitValue(text[0]);
    const auto low = HexDigitValue(text[1]);
    if (!high || !low) return std::nullopt;
    return *high * 16 + *low;
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
