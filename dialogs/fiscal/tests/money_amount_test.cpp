#include <gtest/gtest.h>

#include <optional>

#include "dialogs/fiscal/money_amount.h"
#include "platform/text/text.h"

namespace {

// The one rule of service cash and of payments in cash or by card; the value given to the formatters
// prints back to the text the register is sent.
TEST(MoneyAmount, IsDigitsWithAtMostTwoDecimalsAboveZero) {
    const struct {
        std::string text;
        std::optional<std::string> amount;
        int64_t kopecks;
    } cases[] = {
        {"12.50", "12.50", 1250},
        {" 12.5  ", "12.50", 1250},
        {"12", "12.00", 1200},
        {"007.05", "7.05", 705},
        {"0.01", "0.01", 1},
        {"99999999999.99", "99999999999.99", 9999999999999},
        {"12345678901.23", "12345678901.23", 1234567890123},
        {"100000000000", std::nullopt, 0},
        {"0", std::nullopt, 0},
        {"0.00", std::nullopt, 0},
        {"0.001", std::nullopt, 0},
        {"12.345", std::nullopt, 0},
        {".5", std::nullopt, 0},
        {"12.", std::nullopt, 0},
        {"1e1", std::nullopt, 0},
        {"1e-5", std::nullopt, 0},
        {"1e250", std::nullopt, 0},
        {"12,50", std::nullopt, 0},
        {"-5", std::nullopt, 0},
        {"-1", std::nullopt, 0},
        {"+5", std::nullopt, 0},
        {"1 2", std::nullopt, 0},
        {"\t12", std::nullopt, 0},
        {"", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const auto amount = ParseMoneyAmount(c.text);
        ASSERT_EQ(amount.has_value(), c.amount.has_value()) << c.text;
        if (!amount) continue;
        EXPECT_EQ(amount->Text, *c.amount);
        EXPECT_EQ(amount->Kopecks, c.kopecks);
        EXPECT_EQ(FixedToStr(amount->Value(), 2), *c.amount) << c.text;
    }
}

} // namespace
