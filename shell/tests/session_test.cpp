#include <gtest/gtest.h>

#include "platform/forms/forms.h"
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

// ---- The dialog pattern with its controls ---------------------------------------------------------

namespace {
class CheckAnswerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSession();
        button.SetEnabled(false);
    }
    void TearDown() override { ResetSession(); }
    TApplication& application = EnsureApplication(); // before the first control
    RecordingUiHost host;
    TEdit codeEdit;
    TButton button;
};

TEST_F(CheckAnswerTest, StoresTheAnswerAndReportsTheFirstFailure) {
    const struct {
        const char* name;
        AnswerRecord answer;
        bool good;
        std::string code;
        bool buttonEnabled;
        std::vector<std::string> texts;
    } cases[] = {
        {"good", Answer("0000"), true, "0000", true, {}},
        {"error", Answer("0006"), false, "0006", true, {"Ошибка!"}},
        {"no answer", Answer("0000", true), false, "", false, {"Таймаут устройства! Ошибка отчета!"}},
    };
    for (auto c : cases) {
        host.Clear();
        button.SetEnabled(false);
        codeEdit.SetText("stale");
        const bool good = CheckAnswer(&c.answer, AnswerCheck()
                                                     .Timeout("Таймаут устройства! Ошибка отчета!")
                                                     .Error("Ошибка!")
                                                     .CodeEdit(&codeEdit)
                                                     .Status(&button));
        EXPECT_EQ(good, c.good) << c.name;
        EXPECT_EQ(Session.CurrentAnswer, &c.answer) << c.name;
        EXPECT_EQ(codeEdit.Text(), c.code) << c.name;
        EXPECT_EQ(button.Enabled(), c.buttonEnabled) << c.name;
        EXPECT_EQ(host.Texts(), c.texts) << c.name;
    }
}

TEST_F(CheckAnswerTest, ARefusalBeforeAnyCommandIsNoAnswer) {
    EXPECT_FALSE(CheckAnswer(nullptr, AnswerCheck().CodeEdit(&codeEdit)));
    EXPECT_EQ(Session.CurrentAnswer, nullptr);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{TimeoutMessage}));
}
} // namespace
