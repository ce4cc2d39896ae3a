#include "shell/tests/shell_fixture.h"
#include "shell/tests/typed_separator.h"

namespace {

class TypedSeparatorTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
        ApiSetup = {};
    }
    void TearDown() override {
        ApiSetup = {};
        ShellFixture::TearDown();
    }
};

// The tester's texts go into the command's fields like any window's; only the raw command tools
// take a ";" as the technician typed it.
TEST_F(TypedSeparatorTest, TheParameterTesterRefusesTheSeparatorInItsTexts) {
    const struct {
        const char* handler;
        int row; // -1: the password
        std::string caption;
    } cases[] = {
        {"SetFiscalNumber1Click", -1, "Пароль: "},
        {"SetFiscalNumber1Click", 0, "Входные параметры: Параметр 1"},
        {"AddArticul1Click", 1, "Входные параметры: Параметр 2"},
        {"SetOperatorParams1Click", 2, "Входные параметры: Параметр 3"},
    };
    for (const auto& c : cases) {
        ApplyParameterTesterSetup(*FindParameterTesterHandler(c.handler));
        setForm4(*Form4);
        TEdit* field = c.row < 0 ? &Form4->Edit1 : Form4->Inputs()[c.row];
        ExpectSeparatorRefused(host, sim, {Form4, field, c.caption, &Form4->Button1});
    }

    // A text without one is sent as typed.
    ApplyParameterTesterSetup(*FindParameterTesterHandler("SetFiscalNumber1Click"));
    setForm4(*Form4);
    host.OnModal("Form4", [](TForm& form) {
        Form4->Inputs()[0]->SetText("1234567890");
        Form4->Button1.Click();
        form.Close();
    });
    sim.ClearFrames();
    Form4->ShowModal();
    ASSERT_EQ(sim.FrameCount(), 1u);
    EXPECT_EQ(sim.Frames()[0].Data, "736204;1234567890;");
}

TEST_F(TypedSeparatorTest, TheFreeResourcesWindowRefusesTheSeparatorInItsPassword) {
    ExpectSeparatorRefused(host, sim, {Form10, &Form10->Edit1, "Пароль:", &Form10->Button1});
}

} // namespace
