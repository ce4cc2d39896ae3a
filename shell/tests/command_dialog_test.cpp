#include "shell/tests/shell_fixture.h"

#include <cstdio>
#include <set>

namespace {

class CommandDialogTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    }
};

TEST_F(CommandDialogTest, DoItShowsTheDescriptionAndSyntaxOfTheCode) {
    std::string caption, panel;
    host.OnModal("TForm2", [&](TForm&) {
        caption = Form2->Caption();
        panel = Form2->StatusBar1.PanelText(0);
    });
    DoIt(0x20);
    EXPECT_EQ(caption, "Команда 20h: Установка даты и времени");
    EXPECT_EQ(panel, "   Формат поля команды:  <DDMMYY>;<HHMM>;");
    EXPECT_EQ(Form2->CommandCode, 0x20);

    host.Clear();
    DoIt(0x2A);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Неверная команда"}));
    EXPECT_TRUE(host.ModalShown().empty());
}

TEST_F(CommandDialogTest, EveryDescriptionHandlerNamesADescribedCode) {
    std::set<int> codes;
    for (const auto& handler : CommandDescriptionHandlers) {
        std::string description, syntax;
        EXPECT_EQ(GetCommandInfo(handler.Code, description, syntax), 1) << handler.Name;
        char name[16];
        std::snprintf(name, sizeof name, handler.Code >= 0xA0 ? "%Xh1Click" : "N%Xh1Click", handler.Code);
        EXPECT_STREQ(handler.Name, name);
        codes.insert(handler.Code);
    }
    EXPECT_EQ(codes.size(), CommandDescriptionHandlers.size());
    EXPECT_EQ(codes.count(0x81), 0u); // the one described code without a handler
}

TEST_F(CommandDialogTest, TheLineGoesOutBehindThePasswordAndTheAnswerIsShown) {
    sim.SetOverride(0x20, {.Error = "0000",
                           .Data = "12;ab",
                           .Status = std::array<uint8_t, 6>{0x80, 0x80, 0x88, 0x80, 0x80, 0x80}});
    Form2->CommandCode = 0x20;
    Form2->FormActivate();
    EXPECT_FALSE(Form2->SpeedButton2.Enabled());
    Form2->Edit1.SetText("010203;1200");
    Form2->Button1.Click();

    EXPECT_EQ(sim.Frames().back().Code, 0x20);
    EXPECT_EQ(sim.Frames().back().Data, "736204;010203;1200");
    EXPECT_EQ(Form2->Edit2.Text(), "12;ab");
    EXPECT_EQ(Form2->Edit3.Text(), "0000");
    EXPECT_EQ(Form2->Edit4.Text(), "00 00 08 00 00 00");
    EXPECT_TRUE(Form2->SpeedButton2.Enabled());
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
    EXPECT_TRUE(host.Texts().empty());

    Form2->Button3.Click();
    for (TEdit* edit : {&Form2->Edit1, &Form2->Edit2, &Form2->Edit3, &Form2->Edit4})
        EXPECT_TRUE(edit->Text().empty());
    EXPECT_EQ(Form2->Edit5.Text(), "736204");
}

TEST_F(CommandDialogTest, ATimeOutIsShownInsteadOfThePreviousErrorField) {
    Form2->CommandCode = 0x21;
    Form2->Button1.Click(); // answered: "0000" in the record
    ASSERT_EQ(Form2->Edit3.Text(), "0000");
    Form2->FormActivate();
    sim.SetOverride(0x21, {.Silent = true});
    Form2->Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Таймаут устройства! Ошибка!"}));
    EXPECT_TRUE(Form2->Edit3.Text().empty());
    EXPECT_TRUE(Form2->Edit2.Text().empty());
    EXPECT_FALSE(Form2->SpeedButton2.Enabled());
}

TEST_F(CommandDialogTest, TheCommandTesterMenuItemCaptionsTheTester) {
    std::string caption, panel;
    host.OnModal("TForm14", [&](TForm&) {
        caption = Form14->Caption();
        panel = Form14->StatusBar1.PanelText(0);
    });
    OpenCommandTester();
    EXPECT_EQ(caption, "Тест команд");
    EXPECT_EQ(panel, "   Тест команд:  ");
}

} // namespace
