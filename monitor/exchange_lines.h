#pragma once
// The "PC: " and "FP: " lines of the monitor's message list: what went to the register and what came
// back. Control bytes (below 20h, 7Fh and the code-page bytes without a character) and the answer's
// status bytes show as their two hexadecimal digits in angle brackets, "<05>"; every other byte as
// its code-page 1251 character.
#include <string>
#include <string_view>

#include "driver/answer_record.h"

// The bytes as the message list shows them.
std::string ShownBytes(std::string_view bytes);
// An answer frame as the message list shows it: as ShownBytes, with the status bytes after EOT in
// hexadecimal too.
std::string ShownAnswer(std::string_view answer);

// "PC: " + the sent frame from its length byte onward, whole.
std::string SentFrameLine(const AnswerRecord& answer);
// "FP: " + the received answer from its length byte onward, whole.
std::string AnswerFrameLine(const AnswerRecord& answer);
// "PC: (" + code + ")" + the sent frame's data, without ENQ, the check characters and ETX.
std::string SentDataLine(const std::string& code, const AnswerRecord& answer);
// "FP: " + the received answer from its length byte onward without its last 13 bytes (EOT, the
// status bytes, ENQ, the check characters and ETX).
std::string AnswerDataLine(const AnswerRecord& answer);
