#pragma once
// The lines both script runners share: a plain command line (characters 1-2 the code in hexadecimal,
// 3-8 the password, 9 the separator, 10 onward the data) and a shown comment line.
#include <optional>
#include <string>
#include <string_view>

#include "driver/decoder.h" // NotSentMessage
#include "monitor/script_host.h"

inline const std::string CommandTimeoutMessage = "Ошибка выполнения команды. Таймаут";
inline const std::string ChecksumErrorMessage = "Неверная контрольная сумма";
inline const std::string CommandErrorMessage = "Ошибка выполнения команды";
inline const std::string InvalidCodeMessage = "Неверный код команды!";
inline const std::string ShortCommandLineMessage = "Ошибка - строка команды короче 9 символов.";

// The code of two hexadecimal digits ("0"-"9", "A"-"F", "a"-"f"); nothing for any other text.
std::optional<unsigned> CommandCodeFromHex(std::string_view text);

// Runs one command line (its trailing control characters cut): shows its parts in the single-command
// panel, sends it, and shows the exchange and the answer. A line too short to hold the separator or
// with a bad code is reported and nothing is sent; so is a line whose data the link refuses (longer
// than a frame carries). False when the run must end at this line (the
// message has been shown).
bool RunCommandLine(const std::string& line, ScriptHost& host);

// A "+" line: "Комментарий:: " + rest + "!!!" in the message list, unless data is hidden.
void ShowCommentLine(const std::string& rest, ScriptHost& host);
