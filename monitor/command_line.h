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

// Why a command line (its trailing control characters cut) cannot be sent as it stands: too short
// to hold the separator, or a code that is not two hexadecimal digits; nothing when it can.
std::optional<std::string> CommandLineRefusal(const std::string& line);
// The data a command line sends: the password, the separator and the rest.
std::string CommandLineData(const std::string& line);

// Runs one command line (its trailing control characters cut): shows its parts in the single-command
// panel, sends it, and shows the exchange and the answer. A line that CommandLineRefusal refuses is
// not sent; neither is one whose data the link refuses (longer than a frame carries). Nothing when
// the register took the command; else the message that ends the run at this line, for the runner to
// show (with what the run sent before).
std::optional<std::string> RunCommandLine(const std::string& line, ScriptHost& host);

// A "+" line: "Комментарий:: " + rest + "!!!" in the message list, unless data is hidden.
void ShowCommentLine(const std::string& rest, ScriptHost& host);
