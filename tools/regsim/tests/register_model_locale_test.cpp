// The simulated register reads the amounts of its frames with "." whatever the C library's locale of
// the process that hosts it (a Qt program sets it from the desktop).
#include <gtest/gtest.h>

#include "platform/text/tests/c_locale.h"
#include "tools/regsim/register_model.h"

namespace {

struct Step {
    uint8_t code;
    std::string data;
    std::string error;
    std::string answer; // checked when not empty
};

// Service cash, a sale of one and a half articles at 10.00 with its subtotal, payment and close.
std::vector<std::string> AnswersOfADay() {
    regsim::RegisterModel model;
    model.Handle(0x24, "736204;1;Хлеб;10.00;1;1;");
    const Step steps[] = {
        {0x6E, "736204;1;10.00;", "0000", "10.00;"},
        {0x6E, "736204;1;-2.50;", "0000", "7.50;"},
        {0x6E, "736204;1;1,50;", "", ""},
        {0x6E, "736204;1;0.005;", "0000", "7.51;"},
        {0x63, "736204;1;1;0;", "0000", ""},
        {0x64, "736204;1;1.500;10.00;", "0000", ""},
        {0x6D, "736204;1;", "0000", "15.00;"},
        {0x67, "736204;0;20.00;", "0000", ""},
        {0x65, "736204;0;", "0000", ""},
    };
    std::vector<std::string> answers;
    for (const Step& step : steps) {
        const regsim::ModelAnswer answer = model.Handle(step.code, step.data);
        if (!step.error.empty()) {
            EXPECT_EQ(answer.Error, step.error) << step.data;
        }
        if (!step.answer.empty()) {
            EXPECT_EQ(answer.Data, step.answer) << step.data;
        }
        answers.push_back(answer.Error + "|" + answer.Data);
    }
    return answers;
}

TEST(RegisterModelLocale, AmountsReadTheSameInRussianAndUkrainianLocales) {
    const std::vector<std::string> inC = AnswersOfADay();
    EXPECT_NE(inC[2].substr(0, 4), "0000") << "an amount with a comma is no amount on the wire";
    for (const char* locale : {"ru_RU.UTF-8", "uk_UA.UTF-8"}) {
        CLocaleScope scope(locale);
        ASSERT_EQ(CLocaleScope::PrintfHalf(), "0,5");
        EXPECT_EQ(AnswersOfADay(), inC) << locale;
    }
}

} // namespace
