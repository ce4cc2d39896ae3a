#include <gtest/gtest.h>

#include "driver/formatters.h"
#include "driver/link.h"
#include "platform/clock/clock.h"
#include "platform/forms/forms.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

namespace {
AnswerRecord Answer(const std::string& errorField, uint32_t statusWord = 0) {
    AnswerRecord answer;
    answer.ErrorField = errorField;
    answer.StatusWord = statusWord;
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
        {"time-out over a stale success", Answer("0000", StatusNoAnswer), plain,
         "Таймаут устройства! Ошибка!"},
        {"time-out variant", Answer("0000", StatusNoAnswer), variant,
         "Таймаут устройства! Ошибка аннулирования!"},
        {"NAK over a stale success", Answer("0000", StatusNak), plain, "Регистратор не принял команду"},
        {"garbled success", Answer("0000", StatusChecksum), plain, "Неверная контрольная сумма"},
        {"NAK is no register error code", Answer("0000", StatusNak), fixed, "Регистратор не принял команду"},
        {"caption and garbled", Answer("0006", StatusChecksum), captioned,
         "Проверка состояния регистратора:\n  Неверная контрольная сумма"},
        {"decoded", Answer("0006"), plain, "Неверный пароль доступа!"},
        {"fixed text", Answer("0006"), fixed, "Ошибка установки времени!"},
        {"caption and decoded", Answer("0006"), captioned,
         "Проверка состояния регистратора:\n  Неверный пароль доступа!"},
        {"unknown class still fails", Answer("00EE"), plain, ""},
        // Not sent outranks every text of the window: no time-out, no register error was involved.
        {"not sent", Answer("", StatusNotSent), plain, "Команда не отправлена!"},
        {"not sent, window texts", Answer("", StatusNotSent), variant, "Команда не отправлена!"},
        {"not sent, fixed error", Answer("", StatusNotSent), fixed, "Команда не отправлена!"},
        {"not sent, caption", Answer("", StatusNotSent), captioned, "Команда не отправлена!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerFailureMessage(&c.answer, c.check), c.message) << c.name;
    EXPECT_EQ(AnswerFailureMessage(nullptr), NotSentMessage);
    int refused = -160;
    const AnswerRecord good = Answer("0000");
    EXPECT_EQ(AnswerFailureMessage(&good, AnswerCheck().Refusal(&refused)), NotSentMessage);
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
        {"no answer",
         Answer("0000", StatusNoAnswer),
         false,
         "",
         false,
         {"Таймаут устройства! Ошибка отчета!"}},
        {"NAK", Answer("0000", StatusNak), false, "", false, {"Регистратор не принял команду"}},
        {"bad checksum", Answer("0000", StatusChecksum), false, "", false, {"Неверная контрольная сумма"}},
        {"not sent", Answer("", StatusNotSent), false, "", false, {"Команда не отправлена!"}},
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

TEST_F(CheckAnswerTest, ARefusalSaysNothingWasSentAndKeepsTheSharedAnswer) {
    TheAnswer().ErrorField = "0000"; // an earlier success
    TheAnswer().StatusWord = 0;
    EXPECT_FALSE(CheckAnswer(nullptr, AnswerCheck().CodeEdit(&codeEdit)));
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
    EXPECT_TRUE(TheAnswer().NotSent()) << "the shared answer no longer reads as that success";
    EXPECT_EQ(TheAnswer().ErrorField, "");
    AnswerRecord stale = Answer("0000");
    int refused = -160;
    codeEdit.SetText("stale");
    EXPECT_FALSE(CheckAnswer(&stale, AnswerCheck().CodeEdit(&codeEdit).Status(&button).Refusal(&refused)));
    EXPECT_EQ(codeEdit.Text(), "");
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(host.Texts(), (std::vector<std::string>(2, NotSentMessage)));
}

// What the register took is named when a later command of the sequence fails, with the window's own
// note first; a command outside the sequence adds nothing to it.
TEST_F(CheckAnswerTest, AFailureInASequenceNamesTheStepsTakenBefore) {
    CommandSequence sequence;
    AnswerRecord good = Answer("0000");
    AnswerRecord error = Answer("0006");
    EXPECT_TRUE(CheckAnswer(&good, AnswerCheck().In(sequence, "налог А")));
    EXPECT_TRUE(CheckAnswer(&good, AnswerCheck()));
    EXPECT_TRUE(CheckAnswer(&good, AnswerCheck().In(sequence, "налог Б")));
    EXPECT_FALSE(CheckAnswer(
        &error, AnswerCheck().Caption("Налог В: ").After("\nОстановлено.").In(sequence, "налог В")));
    EXPECT_EQ(sequence.TakenSteps(), (std::vector<std::string>{"налог А", "налог Б"}));
    EXPECT_EQ(
        host.Texts(),
        std::vector<std::string>{
            "Налог В: Неверный пароль доступа!\nОстановлено.\nРегистратор уже принял: налог А, налог Б."});
    host.Clear();
    CommandSequence fresh;
    EXPECT_FALSE(CheckAnswer(&error, AnswerCheck().In(fresh, "налог А")));
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Неверный пароль доступа!"});
}

// Formed only: nothing is sent and the shared answer stays; a command that cannot go out is named.
TEST_F(CheckAnswerTest, ASequenceThatCannotBeFormedWholeIsRefusedBeforeItsFirstCommand) {
    CommandSequence sequence;
    EXPECT_TRUE(sequence.Formable([] { GetDateTime("736204", 0, nullptr); }));
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_FALSE(sequence.Formable([] {
        AddTmpBuffLine("736204", 0, "Сообщение", nullptr);
        SetServiceInfo(std::string(230, '1'), "1", "071226", 1, 0, nullptr);
    }));
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Команда 35h не может быть отправлена: данные команды "
                                                     "длиннее, чем вмещает кадр.\nВ регистратор ничего не "
                                                     "отправлено."});
    EXPECT_TRUE(sequence.TakenSteps().empty());
    EXPECT_EQ(Session.CurrentAnswer, nullptr);
}

// Steps numbered one after another are named once when there are three or more of them.
TEST(CommandSequenceNote, NumberedStepsOneAfterAnotherAreNamedOnce) {
    const std::string taken = "\nРегистратор уже принял: ";
    const struct {
        std::vector<std::string> steps;
        std::string note;
    } cases[] = {
        {{}, ""},
        {{"строка 1", "строка 2"}, taken + "строка 1, строка 2."},
        {{"пакет 0", "пакет 1", "пакет 2", "размер логотипа"}, taken + "пакет 0-2, размер логотипа."},
        {{"строка 1", "строка 3", "строка 4", "строка 5"}, taken + "строка 1, строка 3-5."},
        {{"строка 9", "строка 10", "строка 11", "налог 12", "налог 13"},
         taken + "строка 9-11, налог 12, налог 13."},
        {{"налог А", "налог Б", "налог В"}, taken + "налог А, налог Б, налог В."},
        {{"шаг 1", "шаг 1", "шаг 1"}, taken + "шаг 1, шаг 1, шаг 1."},
    };
    for (const auto& c : cases) {
        CommandSequence sequence;
        for (const std::string& step : c.steps)
            sequence.Taken(step);
        EXPECT_EQ(sequence.TakenNote(), c.note) << testing::PrintToString(c.steps);
        EXPECT_EQ(sequence.TakenSteps(), c.steps);
    }
}

// One of many commands alike is named before the message.
TEST_F(CheckAnswerTest, AnUnformableCommandAmongManyIsNamed) {
    CommandSequence sequence;
    EXPECT_FALSE(sequence.Formable("Строка 3", [] { PrintText("736204", std::string(230, 'a'), nullptr); }));
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"Строка 3: " + UnformableCommandMessage(0x61, RefusalDataTooLong)});
}

// A plain run against the simulated register: everything is formed before the first frame, and the
// command that fails names those taken before it.
class CommandSequenceRun : public CheckAnswerTest {
protected:
    void SetUp() override {
        CheckAnswerTest::SetUp();
        SetTimeScale(0.01);
        ASSERT_TRUE(sim.Start()) << sim.StartError();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    }
    void TearDown() override {
        CloseLink();
        sim.Stop();
        SetTimeScale(1.0);
        CheckAnswerTest::TearDown();
    }
    void AddLines(CommandSequence& sequence, const std::vector<std::string>& lines) {
        for (size_t i = 0; i < lines.size(); ++i)
            sequence.Add("строка " + std::to_string(i + 1), [line = lines[i], i](int* e) {
                return SetHeaderFooter("736204", static_cast<int>(i), line, 0, e);
            });
    }
    regsim::RegisterSimulator sim;
    ptyserve::FollowServers follow{sim};
};

TEST_F(CommandSequenceRun, SendsEveryCommandOnlyWhenAllCanGoOut) {
    CommandSequence refused;
    AddLines(refused, {"Первая", std::string(230, 'x'), "Третья"});
    EXPECT_FALSE(refused.Run());
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(host.Texts().size(), 1u);

    host.Clear();
    CommandSequence stopped;
    stopped.Add("чтение часов", [](int* e) { return GetDateTime("736204", 0, e); });
    AddLines(stopped, {"Первая", "Вторая"});
    sim.SetOverride(0x22, {.Error = "0006"}); // the register refuses the header lines
    EXPECT_FALSE(stopped.Run());
    ASSERT_EQ(sim.FrameCount(), 2u);
    EXPECT_EQ(sim.Frames()[1].Data, "736204;0;Первая;0;");
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"Неверный пароль доступа!\nРегистратор уже принял: чтение часов."});
    sim.ClearOverrides();
    sim.ClearFrames();

    host.Clear();
    CommandSequence whole;
    AddLines(whole, {"Первая", "Вторая"});
    EXPECT_TRUE(whole.Run());
    EXPECT_EQ(whole.TakenSteps(), (std::vector<std::string>{"строка 1", "строка 2"}));
    EXPECT_TRUE(host.Texts().empty());
}
} // namespace
