#include "monitor/script_arithmetic.h"

#include <cmath>
#include <limits>

#include "monitor/script_messages.h"
#include "platform/text/text.h"

namespace {

[[noreturn]] void Fail(const std::string& message) {
    throw ScriptError{message, ScriptError::Fault};
}

std::string FitOrFail(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Fail(script_text::IntegerOverflow);
    return IntToStr(value);
}

std::string Integer(int code, int64_t a, int64_t b) {
    if ((code == 3 || code == 4) && b == 0) Fail(script_text::DivisionByZero);
    switch (code) {
    case 0:
        return FitOrFail(a + b);
    case 1:
        return FitOrFail(a - b);
    case 2:
        return FitOrFail(a * b);
    case 3:
        return FitOrFail(a / b);
    default:
        return FitOrFail(a % b);
    }
}

std::string FloatQuotient(const std::string& a, const std::string& b) {
    const double divisor = StrToFloat(b);
    if (divisor == 0) Fail(script_text::DivisionByZero);
    const double quotient = StrToFloat(a) / divisor;
    if (!std::isfinite(quotient)) Fail(script_text::FloatOverflow);
    return FloatToStr(quotient);
}

// Uniform over the whole range between A and B, whichever is larger; A when B is just below A.
std::string RandomBetween(int64_t a, int64_t b, std::mt19937_64& random) {
    if (b == a - 1) return IntToStr(a);
    std::uniform_int_distribution<int64_t> pick(std::min(a, b), std::max(a, b));
    return IntToStr(pick(random));
}

std::string Repeated(int64_t charCode, int64_t count) {
    if (charCode < 0 || charCode > 255) Fail(script_text::CharCodeOutOfRange);
    if (count > MaxTextChars) Fail(script_text::CountTooLarge);
    if (count <= 0) return {};
    const std::string character = Cp1251ToUtf8(std::string(1, static_cast<char>(charCode)));
    std::string text;
    text.reserve(character.size() * count);
    for (int64_t i = 0; i < count; ++i)
        text += character;
    return text;
}

std::string Joined(const std::string& a, const std::string& b) {
    if (CharCount(a) + CharCount(b) > MaxTextChars) Fail(script_text::TextTooLong);
    return a + b;
}

} // namespace

bool NeedsNumbers(int code) {
    return (code >= 0 && code <= 4) || code == 6;
}

std::optional<std::string> Operate(int code, const OperOperand& a, const OperOperand& b,
                                   std::mt19937_64& random) {
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        return Integer(code, StrToInt(a.value), StrToInt(b.value));
    case 5:
        return Joined(a.value, b.value);
    case 6:
        return FloatQuotient(a.value, b.value);
    case 7:
        return RandomBetween(StrToInt(a.value), StrToInt(b.value), random);
    case 8:
        return Repeated(StrToInt(a.value), StrToInt(b.value));
    case 9:
        return IntToStr(static_cast<int64_t>(CharCount(a.value)));
    case 10:
        return std::string(a.value == b.value ? "1" : "0");
    default:
        return std::nullopt;
    }
}
