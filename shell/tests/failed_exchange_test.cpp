// A register that refuses every frame (NAK) or garbles every answer (bad checksum) after a good
// command: no window may take the stale or garbled "0000" for a success.
#include <algorithm>

#include "shell/tests/shell_fixture.h"

namespace {

struct Misbehaviour {
    const char* name;
    regsim::AnswerOverride change;
    std::string message;
};

const Misbehaviour Misbehaviours[] = {
    {"NAK", {.Nak = true}, "Регистратор не принял команду"},
    {"bad checksum", {.BadChecksum = true}, "Неверная контрольная сумма"},
};

const std::string ResourcesCaption = "Информация о свободных ресурсах и статусе:\n  ";
const std::string StatusCaption = "Проверка состояния регистратора:\n  ";

class FailedExchangeTest : public ShellFixture {
protected:
    // Connected, with one good command behind, so the record holds a "0000" answer.
    void Prepare(int retryCount) {
        sim.ClearOverrides();
        Connect();
        SetRetryCount(retryCount);
        Form10->FormActivate();
        Form10->Button1.Click();
        ASSERT_EQ(Form10->Edit8.Text(), "0000");
        ASSERT_TRUE(TheAnswer().Succeeded());
        host.Clear();
    }
    void MisbehaveOnEveryCommand(const regsim::AnswerOverride& change) {
        for (uint8_t code : {0x80, 0xA0, 0x21})
            sim.SetOverride(code, change);
    }
    bool AnySuccessShown() const {
        const auto texts = host.Texts();
        return std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
            return text.find("Успешно!") != std::string::npos;
        });
    }
    void Disconnect() { Form1->Button3.Click(); }
};

TEST_F(FailedExchangeTest, EveryWindowReportsTheFailureAndNoStaleCode) {
    for (const Misbehaviour& m : Misbehaviours)
        for (int retryCount : {0, 1}) {
            SCOPED_TRACE(std::string(m.name) + ", RetryCount " + std::to_string(retryCount));
            Prepare(retryCount);
            MisbehaveOnEveryCommand(m.change);

            // Free resources: the dialog pattern.
            Form10->Button1.Click();
            std::string decoded;
            EXPECT_FALSE(DecodeAnswerError(decoded, &TheAnswer()));
            EXPECT_EQ(decoded, m.message);
            EXPECT_FALSE(TheAnswer().Succeeded());
            EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{ResourcesCaption + m.message}));
            EXPECT_EQ(Form10->Edit8.Text(), "");

            // The command tester shows what failed, not the previous answer's code.
            host.Clear();
            Form14->FormActivate();
            Form14->Edit6.SetText("21");
            Form14->Button1.Click();
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{m.message}));
            EXPECT_EQ(Form14->Edit3.Text(), "");
            EXPECT_FALSE(Form14->SpeedButton2.Enabled());

            // The status viewer's refresh and the main window's status button.
            host.Clear();
            Form5->Button2.Click();
            Form1->Button2.Click();
            EXPECT_EQ(host.Texts(), (std::vector<std::string>(2, StatusCaption + m.message)));
            EXPECT_TRUE(host.ModalShown().empty());

            EXPECT_FALSE(AnySuccessShown());
            Disconnect();
        }
}

TEST_F(FailedExchangeTest, ANakIsResentOnlyAsOftenAsAllowed) {
    const struct {
        regsim::AnswerOverride change;
        int retryCount;
        size_t frames;
    } cases[] = {
        {{.Nak = true}, 0, 1},
        {{.Nak = true}, 1, 2},
        {{.Nak = true}, 3, 4},
        // A garbled answer is still a whole frame: it is not resent.
        {{.BadChecksum = true}, 3, 1},
    };
    for (const auto& c : cases) {
        Prepare(c.retryCount);
        MisbehaveOnEveryCommand(c.change);
        const size_t before = sim.FrameCount();
        Form10->Button1.Click();
        EXPECT_EQ(sim.FrameCount() - before, c.frames) << c.retryCount;
        Disconnect();
    }
}

// The status button is on before sending, so the viewer must find a record even then.
TEST_F(FailedExchangeTest, ARefusalAsTheFirstCommandStillLeavesARecordToShow) {
    ASSERT_EQ(Session.CurrentAnswer, nullptr);
    Form10->FormActivate();
    Form10->Edit1.SetText(std::string(300, '7'));
    Form10->Button1.Click();
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Команда не отправлена!"}));
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
    Form10->Button4.Click();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5"}));
}

} // namespace
