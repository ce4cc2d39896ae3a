#include "shell/tests/shell_fixture.h"

namespace {

class FreeResourcesTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        Form10->FormActivate();
    }
    std::vector<bool> Permissions() const {
        std::vector<bool> ticked;
        for (TCheckBox* box : {&Form10->CheckBox1, &Form10->CheckBox2, &Form10->CheckBox3, &Form10->CheckBox4,
                               &Form10->CheckBox5, &Form10->CheckBox6})
            ticked.push_back(box->Checked());
        return ticked;
    }
    std::vector<std::string> Counts() const {
        std::vector<std::string> texts;
        for (TEdit* edit :
             {&Form10->Edit2, &Form10->Edit3, &Form10->Edit4, &Form10->Edit5, &Form10->Edit6, &Form10->Edit7})
            texts.push_back(edit->Text());
        return texts;
    }
};

TEST_F(FreeResourcesTest, TheAnswerFillsPermissionsAndCountsAsSent) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Resources = {"1", "0", "2", "", "01", "1", "3", "1820", "070517", "0905", "9998", "1999"};
    });
    EXPECT_FALSE(Form10->Button4.Enabled());
    Form10->Button1.Click();

    EXPECT_EQ(sim.Frames().back().Code, 0xA0);
    EXPECT_EQ(sim.Frames().back().Data, "736204;");
    EXPECT_EQ(Permissions(), (std::vector<bool>{true, false, false, false, true, true}));
    EXPECT_EQ(Counts(), (std::vector<std::string>{"3", "1820", "070517", "0905", "9998", "1999"}));
    EXPECT_EQ(Form10->Edit8.Text(), "0000");
    EXPECT_TRUE(Form10->Button4.Enabled());
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Информация о свободных ресурсах и статусе - Успешно!"}));
    EXPECT_FALSE(Form10->CheckBox1.CanOperate());

    Form10->Button2.Click();
    EXPECT_FALSE(Form10->Button4.Enabled());
}

TEST_F(FreeResourcesTest, AFailureKeepsTheResultsAndLeavesTheStatusButtonOn) {
    Form10->Button1.Click();
    const auto permissions = Permissions();
    const auto counts = Counts();
    const struct {
        regsim::AnswerOverride change;
        std::string message, errorField;
    } cases[] = {
        {{.Error = "0006"}, "Информация о свободных ресурсах и статусе:\n  Неверный пароль доступа!", "0006"},
        {{.Silent = true}, "Информация о свободных ресурсах и статусе:\n  Таймаут устройства! Ошибка!", ""},
    };
    for (const auto& c : cases) {
        host.Clear();
        sim.SetOverride(0xA0, c.change);
        sim.UpdateState([](regsim::RegisterState& state) { state.Resources.EmergencyClears = "9"; });
        Form10->Button1.Click();
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message}));
        EXPECT_EQ(Form10->Edit8.Text(), c.errorField);
        EXPECT_EQ(Permissions(), permissions);
        EXPECT_EQ(Counts(), counts);
        EXPECT_TRUE(Form10->Button4.Enabled());
    }

    // A password that no frame can carry is not sent, and the earlier good answer does not pass
    // for this one's; the shared answer still points at the record.
    sim.ClearOverrides();
    Form10->Button1.Click();
    const size_t frames = sim.FrameCount();
    host.Clear();
    Form10->Edit1.SetText(std::string(300, '7'));
    Form10->Button1.Click();
    EXPECT_EQ(sim.FrameCount(), frames);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Команда не отправлена!"}));
    EXPECT_TRUE(Form10->Edit8.Text().empty());
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
}

} // namespace
