#include "monitor/plain_script.h"

#include "monitor/command_line.h"
#include "monitor/tests/monitor_fixture.h"

namespace {

class PlainScriptTest : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        sim.SetClock({2026, 3, 7, 9, 5, 0}, false);
        sim.SetOverride(0x80, {.Data = "Kivrel;"});
    }
    // Presses "Шаг" and gives the line number shown after it.
    std::string Step() {
        Form28->Button11.Click();
        return Form28->Edit4.Text();
    }
};

const std::vector<std::string> kMixedScript = {
    ";a comment", "+Начало", "21736204;", "", "80736204;", "+Конец",
};

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(PlainScriptTest, AMixedScriptRunsWhole) {
    UseScript(kMixedScript);
    Form28->Button8.Click();

    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x80}));
    EXPECT_EQ(Messages(), Joined({{"Комментарий:: Начало!!!"},
                                  ExchangeOf(0, "070326;0905;"),
                                  ExchangeOf(1, "Kivrel;"),
                                  {"Комментарий:: Конец!!!"}}));
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    EXPECT_EQ(Form28->Edit4.Text(), "0");
    EXPECT_EQ(Form28->Edit1.Text(), "80");
    EXPECT_EQ(Form28->Edit2.Text(), "736204");
    EXPECT_EQ(Form28->Edit5.Text(), "0000");
    EXPECT_FALSE(Form28->Running());
}

TEST_F(PlainScriptTest, StepByStepACommentIsAStepAndABlankLineIsPassedOver) {
    UseScript(kMixedScript);
    EXPECT_EQ(Step(), "1");
    EXPECT_EQ(Step(), "2");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Комментарий:: Начало!!!"}));
    EXPECT_EQ(Step(), "3");
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21}));
    EXPECT_EQ(Step(), "5");
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x80}));
    EXPECT_EQ(Step(), "6");
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Step(), "0");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    // From the start again.
    EXPECT_EQ(Step(), "1");
}

TEST_F(PlainScriptTest, AFailedCommandEndsTheRunOnItsLineAndContinueGoesOnAfterIt) {
    const struct {
        regsim::AnswerOverride change;
        std::string message, errorField;
    } cases[] = {
        {{.Error = "0006"}, "Ошибка выполнения команды", "0006"},
        // Without an answer the edits keep the line before.
        {{.Silent = true}, "Ошибка выполнения команды. Таймаут", "0000"},
        {{.BadChecksum = true}, "Неверная контрольная сумма", "0000"},
    };
    for (const auto& c : cases) {
        UseScript({"21736204;", "A0736204;", "+после", "21736204;"});
        sim.ClearFrames();
        host.Clear();
        Form28->Memo1.Clear();
        Form28->Edit5.Clear();
        sim.SetOverride(0xA0, c.change);
        Form28->Button8.Click();
        EXPECT_EQ(host.Texts(),
                  (std::vector<std::string>{c.message + "\nРегистратор уже принял: строка 1."}));
        EXPECT_EQ(Form28->Edit4.Text(), "2");
        EXPECT_EQ(Form28->Edit5.Text(), c.errorField);
        EXPECT_EQ(Messages(), ExchangeOf(0, "070326;0905;")); // nothing of the failed line

        sim.SetOverride(0xA0, {});
        sim.ClearFrames();
        host.Clear();
        Form28->Button8.Click();
        EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21}));
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    }
}

// A plain script is a fixed list of commands: every line from the one to run to the end is checked
// as the run would check it, and a line that could not go out stops "Продолжить" before anything is
// sent, naming the line. "Шаг" sends the lines before it, one a press, and refuses it when it gets
// there; the step after goes on past it.
TEST_F(PlainScriptTest, EveryLineIsCheckedBeforeTheFirstGoesOut) {
    const std::string tooLongForAFrame = "61736204;" + std::string(213, 'x'); // 220 bytes of data
    const struct {
        std::string line, reason;
    } cases[] = {
        {"2g736204;", "Неверный код команды!"},
        {"21736", "Ошибка - строка команды короче 9 символов."},
        {"61736204;" + std::string(300, 'x'), "Ошибка - строка скрипта длиннее 299 символов."},
        {tooLongForAFrame, "Команда 61h не может быть отправлена: данные команды длиннее, чем вмещает кадр."},
        {"%RunCommand(33,\"736204\")", "Неверный код команды!"}, // a plain run has no language
    };
    // In the monitor shown as its menu item shows it.
    host.OnModal("TForm28", [&](TForm& form) {
        for (const auto& c : cases) {
            const std::vector<std::string> refused = {"Строка 4: " + c.reason +
                                                      "\nВ регистратор ничего не отправлено."};
            UseScript({"21736204;", "+до", "80736204;", c.line, "21736204;"});
            host.Clear();
            Form28->Memo1.Clear();
            sim.ClearFrames();
            Form28->Button8.Click();
            EXPECT_EQ(host.Texts(), refused) << c.line;
            EXPECT_EQ(sim.FrameCount(), 0u) << c.line;
            EXPECT_EQ(Form28->Edit4.Text(), "0") << c.line;
            EXPECT_TRUE(Messages().empty()) << c.line;

            host.Clear();
            std::vector<std::string> lines;
            for (int press = 0; press < 5; ++press)
                lines.push_back(Step());
            EXPECT_EQ(lines, (std::vector<std::string>{"1", "2", "3", "4", "5"})) << c.line;
            EXPECT_EQ(host.Texts(), refused) << c.line;
            EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x80, 0x21})) << c.line;
        }
        form.Close();
    });
    Form28->ShowModal();
    sim.ClearFrames();

    // Lines already done are not checked again: the run goes on after the refused line.
    UseScript({"21736204;", "+до", "80736204;", "2g736204;", "21736204;"});
    Form28->Edit4.SetText("4");
    host.Clear();
    Form28->Button8.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21}));

    // A frame holds 219 bytes of data in the register's code page, whatever their length in UTF-8.
    sim.ClearFrames();
    std::string cyrillic;
    for (int i = 0; i < 212; ++i)
        cyrillic += "ж";
    UseScript({"60736204;", "61736204;" + cyrillic, "61736204;" + cyrillic + "ж"});
    host.Clear();
    Form28->Button8.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Строка 3: Команда 61h не может быть отправлена: данные "
                                        "команды длиннее, чем вмещает кадр.\nВ регистратор "
                                        "ничего не отправлено."}));
    EXPECT_EQ(sim.FrameCount(), 0u);
    UseScript({"60736204;", "61736204;" + cyrillic});
    Form28->Button8.Click();
    ASSERT_EQ(sim.FrameCount(), 2u);
    EXPECT_EQ(sim.Frames()[1].Data, "736204;" + cyrillic);
}

// A command that fails after others were taken names the lines the register took.
TEST_F(PlainScriptTest, AFailureNamesTheLinesTakenBefore) {
    UseScript({"21736204;", "21736204;", "+между", "80736204;", "A0736204;", "21736204;"});
    sim.SetOverride(0xA0, {.Error = "0006"});
    Form28->Button8.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                "Ошибка выполнения команды\nРегистратор уже принял: строки 1-2, 4."}));
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x21, 0x80, 0xA0}));
    EXPECT_EQ(Form28->Edit4.Text(), "5");

    // One step sends one command: nothing was taken before it.
    host.Clear();
    Form28->Edit4.SetText("4");
    Form28->Button11.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка выполнения команды"}));
}

TEST_F(PlainScriptTest, AFileThatCannotBeReadOrALineNumberThatIsNotOneSendsNothing) {
    // A file that cannot be read ends the run at once; so does a line number that is not one.
    host.Clear();
    Form28->ScriptFileName = (Folder() / "missing.txt").string();
    Form28->Button8.Click();
    Form28->ScriptFileName = UseScript({"21736204;"});
    Form28->Edit4.SetText("x");
    Form28->Button11.Click();
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].text,
              "Ошибка - файл скрипта не открывается: " + (Folder() / "missing.txt").string());
    EXPECT_EQ(host.Messages()[1].kind, MessageRequest::Error);
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_FALSE(Form28->Running());
}

TEST_F(PlainScriptTest, HiddenDataShowsNoLinesButRunsTheCommands) {
    UseScript(kMixedScript);
    Form28->CheckBox2.SetChecked(true);
    Form28->CheckBox1.SetChecked(true);
    Form28->Button8.Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x80}));
}

TEST_F(PlainScriptTest, OnlyCommentsStepOnePerPressAndContinueReachesTheEnd) {
    UseScript({";one", "+two", ";three"});
    EXPECT_EQ(Step(), "1");
    EXPECT_EQ(Step(), "2");
    Form28->Button8.Click();
    EXPECT_EQ(Form28->Edit4.Text(), "0");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST_F(PlainScriptTest, StopEndsALongRunAfterTheLineDuringWhichItWasPressed) {
    const std::vector<std::string> lines(1000, "21736204;");
    const struct {
        const char* name;
        std::vector<std::string> script;
        TButton* button;
        size_t framesWhenPressed;
        const char* lineShown;
    } cases[] = {
        {"stop", lines, &Form28->Button7, 100, "100"},
        {"exit", lines, &Form28->Button1, 10, "10"},
        {"stop among comments", std::vector<std::string>(1000, ";c"), &Form28->Button7, 0, "1"},
    };
    for (const auto& c : cases) {
        UseScript(c.script);
        sim.ClearFrames();
        host.Clear();
        bool pressed = false;
        host.OnProcessMessages = [&] {
            if (!pressed && sim.FrameCount() >= c.framesWhenPressed) {
                pressed = true;
                c.button->Click();
            }
        };
        Form28->Button8.Click();
        host.OnProcessMessages = nullptr;
        EXPECT_EQ(sim.FrameCount(), c.framesWhenPressed) << c.name;
        EXPECT_EQ(Form28->Edit4.Text(), c.lineShown) << c.name;
        EXPECT_TRUE(host.Texts().empty()) << c.name;
        EXPECT_TRUE(Form28->Button8.Enabled());
    }
}

TEST_F(PlainScriptTest, ARunCannotBeStartedAgainWhileOneIsUnderWay) {
    UseScript(std::vector<std::string>(20, "21736204;"));
    int attempts = 0;
    host.OnProcessMessages = [&] {
        if (sim.FrameCount() != 5 || attempts++ > 0) return;
        EXPECT_FALSE(Form28->Button8.Enabled());
        EXPECT_FALSE(Form28->Button11.Enabled());
        EXPECT_FALSE(Form28->Button6.Enabled());
        Form28->Button8.Click();
        Form28->Button11.Click();
        Form28->Button6.Click();
    };
    Form28->Button8.Click();
    host.OnProcessMessages = nullptr;
    EXPECT_EQ(sim.FrameCount(), 20u);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
    EXPECT_TRUE(Form28->Button6.Enabled());
}

} // namespace
