#pragma once
// Money a person types for the register: service cash, and payments in cash or by card. One rule for
// all of them, checked before anything is sent, so that the register gets the amount shown.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An amount, once for the register and once for the bank terminal.
struct MoneyAmount {
    std::string Text; // as the register takes amounts: "12.50"
    int64_t Kopecks;  // 1250
    // For the command formatters, which print it back to Text.
    double Value() const { return static_cast<double>(Kopecks) / 100; }
};

// Decimal digits with at most two after a ".", blanks around allowed, above zero and at most
// MoneyWholeDigits digits before the point. nullopt for anything else: "12.345", "0.001", ".5", "12.",
// "1e1", "1e250", "12,50", "-5", "0".
std::optional<MoneyAmount> ParseMoneyAmount(std::string_view text);

// Larger amounts are no sale but a typing slip; the register takes them all.
inline constexpr size_t MoneyWholeDigits = 11;

// The message for a typed text that is no such amount, naming the field ("Сумма").
std::string MoneyAmountMessage(const std::string& field);
