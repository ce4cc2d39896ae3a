#include "dialogs/fiscal/money_amount.h"

#include <algorithm>

namespace {
bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

std::optional<MoneyAmount> ParseMoneyAmount(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    const size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (whole.empty() || !AllDigits(whole)) return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || fraction.size() > 2 || !AllDigits(fraction)))
        return std::nullopt;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (whole.size() > MoneyWholeDigits) return std::nullopt;
    std::string cents(fraction);
    cents.resize(2, '0');
    int64_t kopecks = 0;
    for (char digit : std::string(whole) + cents)
        kopecks = kopecks * 10 + (digit - '0');
    if (kopecks <= 0) return std::nullopt;
    return MoneyAmount{std::string(whole) + "." + cents, kopecks};
}

std::string MoneyAmountMessage(const std::string& field) {
    return "Ошибочная сумма в поле \"" + field + "\"! Введите сумму больше нуля, не более " +
           std::to_string(MoneyWholeDigits) +
           " цифр до точки и не более двух после неё (например 12.50).\nВ регистратор ничего не отправлено.";
}
