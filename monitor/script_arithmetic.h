#pragma once
// The operations of Oper: integer arithmetic that never wraps, text operations and the random
// number. Failures throw ScriptError (kind Fault) or the library's conversion error.
#include <cstdint>
#include <optional>
#include <random>
#include <string>

struct OperOperand {
    std::string value;
    bool isString = false; // a string literal in the script
};

// Longest text an operation builds: a loop that doubles a text must not eat the memory.
constexpr int64_t MaxTextChars = 10000;

// The result of operation code on A and B; nothing for a code without an operation.
std::optional<std::string> Operate(int code, const OperOperand& a, const OperOperand& b,
                                   std::mt19937_64& random);
// Operations 0-4 and 6 refuse string literals.
bool NeedsNumbers(int code);
