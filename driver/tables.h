#pragma once
// Description and parameter-syntax texts of the register's commands 20h to A3h.
#include <string>

// The text given for a code that has no description.
extern const char* const UnknownCommandText; // "Неверная команда"

// 1 and both texts when the code has a description; else 0 with description = "Неверная команда"
// and syntax left as it was.
int GetCommandInfo(int code, std::string& description, std::string& syntax);

// The description of the code; "Неверная команда" outside 20h..A3h or when it has none.
std::string GetCommandDescription(int code);

// The code of the first two characters as hexadecimal digits ("0"-"9", "a"-"f", "A"-"F"); false
// when either is not a digit or the text is shorter than two characters.
bool ParseCommandCode(const std::string& text, unsigned& code);
