#include "shell/tests/shell_fixture.h"
#include <QFontMetrics>

namespace {

TEST(CommandCode, TwoHexadecimalDigitsOfEitherCase) {
    const struct {
        const char* text;
        bool valid;
        unsigned code;
    } cases[] = {
        {"2b", true, 0x2B}, {"2B", true, 0x2B}, {"a0", true, 0xA0}, {"80h", true, 0x80}, {"g1", false, 0},
        {"1g", false, 0},   {"2", false, 0},    {"", false, 0},     {" 2B", false, 0},
    };
    for (const auto& c : cases) {
        unsigned code = 0;
        EXPECT_EQ(ParseCommandCode(c.text, code), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(code, c.code) << c.text;
        }
    }
}

class CommandTesterTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        Form14->FormActivate();
    }
};

TEST_F(CommandTesterTest, AnInvalidOrShortCodeSendsNothing) {
    for (const char* code : {"g1", "2", ""}) {
        host.Clear();
        Form14->Edit6.SetText(code);
        Form14->Button1.Click();
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Неверный код команды"})) << code;
    }
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST_F(CommandTesterTest, EnterSendsTheCodeWithThePasswordAndShowsTheRawAnswer) {
    sim.SetOverride(0x2B, {.Error = "0000",
                           .Data = "7;8;",
                           .Status = std::array<uint8_t, 6>{0x80, 0x80, 0x88, 0x80, 0x80, 0x80}});
    Form14->Edit6.SetText("2b");
    WORD enter = VK_RETURN;
    Form14->Edit1.OnKeyDown(enter, 0);

    EXPECT_EQ(sim.Frames().back().Code, 0x2B);
    EXPECT_EQ(sim.Frames().back().Data, "736204;");
    EXPECT_EQ(Form14->Edit2.Text(), "7;8;");
    EXPECT_EQ(Form14->Edit3.Text(), "0000");
    EXPECT_EQ(Form14->Edit4.Text(), "00 00 08 00 00 00 ");
    EXPECT_TRUE(Form14->SpeedButton2.Enabled());

    // Another key does nothing.
    WORD letter = 'A';
    Form14->Edit1.OnKeyDown(letter, 0);
    EXPECT_EQ(sim.FrameCount(), 1u);
}

TEST_F(CommandTesterTest, ATimeOutIsShownInsteadOfThePreviousErrorField) {
    Form14->Edit6.SetText("21");
    Form14->Button1.Click();
    ASSERT_EQ(Form14->Edit3.Text(), "0000");
    Form14->FormActivate();
    sim.SetOverride(0x21, {.Silent = true});
    Form14->Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Таймаут устройства! Ошибка!"}));
    EXPECT_TRUE(Form14->Edit3.Text().empty());
    EXPECT_FALSE(Form14->SpeedButton2.Enabled());
}

TEST_F(CommandTesterTest, AWholeAnswerShowsAndTheWindowMayGrow) {
    Form14->Show();
    const QFontMetrics metrics(Form14->Edit2.Widget()->font());
    EXPECT_GE(Form14->Edit2.Width(), metrics.horizontalAdvance(QString(100, '0'))); // a typical answer
    EXPECT_GT(Form14->Widget()->maximumWidth(), Form14->Width());                   // the window may grow
    EXPECT_LE(Form14->Width(), 1366);
    Form14->Hide();
}

} // namespace
