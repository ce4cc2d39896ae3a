#include <gtest/gtest.h>

#include "shell/session.h"

namespace {
AnswerRecord Answer(const std::string& errorField, bool noAnswer = false) {
    AnswerRecord answer;
    answer.ErrorField = errorField;
    answer.StatusWord = noAnswer ? StatusNoAnswer : 0;
    return answer;
}

TEST(PaymentCountFromField, TenUnlessAPositiveNumber) {
    const struct {
        std::string field;
        int32_t count;
    } cases[] = {{"4", 4}, {"12", 12}, {"0", 10}, {"", 10}, {"abc", 10}, {"-3", 10}};
    for (const auto& c : cases)
        EXPECT_EQ(PaymentCountFromField(c.field), c.count) << '"' << c.field << '"';
}

TEST(StatusLineText, ModelVersionAndFurtherText) {
    AnswerRecord answer;
    answer.Fields[0] = "Kivrel LT-6";
    answer.Fields[1] = "3.01";
    answer.Fields[2] = "PROD";
    EXPECT_EQ(StatusLineText(answer), "   Модель:Kivrel LT-6,    Версия:3.01,     PROD.");
}

TEST(AnswerFailureMessage, NoAnswerComesFirstThenTheErrorField) {
    const AnswerCheck plain;
    const AnswerCheck variant = AnswerCheck().Timeout("Таймаут устройства! Ошибка аннулирования!");
    const AnswerCheck fixed = AnswerCheck().Error("Ошибка установки времени!");
    const AnswerCheck captioned = AnswerCheck().Caption("Проверка состояния регистратора:\n  ");
    const struct {
        const char* name;
        AnswerRecord answer;
        AnswerCheck check;
        std::optional<std::string> message;
    } cases[] = {
        {"good", Answer("0000"), plain, std::nullopt},
        {"time-out over a stale success", Answer("0000", true), plain, "Таймаут устройства! Ошибка!"},
        {"time-out variant", Answer("0000", true), variant, "Таймаут устройства! Ошибка аннулирования!"},
        {"decoded", Answer("0006"), plain, "Неверный пароль доступа!"},
        {"fixed text", Answer("0006"), fixed, "Ошибка установки времени!"},
        {"caption and decoded", Answer("0006"), captioned,
         "Проверка состояния регистратора:\n  Неверный пароль доступа!"},
        {"unknown class still fails", Answer("00EE"), plain, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerFailureMessage(&c.answer, c.check), c.message) << c.name;
    EXPECT_EQ(AnswerFailureMessage(nullptr), TimeoutMessage);
}
} // namespace
