#include "shell/tests/shell_fixture.h"

namespace {

class StatusViewerTest : public ShellFixture {
protected:
    // The boxes ticked, as "byte.bit" texts, and the receipt state shown.
    std::vector<std::string> Ticked() const {
        std::vector<std::string> ticked;
        for (int byte = 0; byte < 6; ++byte)
            for (int bit = 0; bit < 7; ++bit)
                if (Form5->BitBox(byte, bit).Checked())
                    ticked.push_back(std::to_string(byte) + "." + std::to_string(bit));
        return ticked;
    }
    bool AllAlwaysSetTicked() const {
        for (int byte = 0; byte < 6; ++byte)
            if (!Form5->BitBox(byte, 7).Checked()) return false;
        return true;
    }
    AnswerRecord record;
};

TEST(StatusBytesText, TwoUpperCaseDigitsPerByteWithAndWithoutTheTrailingBlank) {
    AnswerRecord record;
    record.StatusBytes = {0x00, 0x00, 0x08, 0x00, 0x7F, 0x2a};
    EXPECT_EQ(StatusBytesText(record, false), "00 00 08 00 7F 2A");
    EXPECT_EQ(StatusBytesText(record, true), "00 00 08 00 7F 2A ");
}

TEST_F(StatusViewerTest, BoxesFollowTheBitsOfTheCurrentAnswer) {
    const struct {
        std::array<uint8_t, 6> bytes;
        std::vector<std::string> ticked;
        std::string receiptState;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, {}, "0. Документ закрыт"},
        {{0, 0, 0x0A, 0, 0, 0}, {"2.1", "2.3"}, "10."},
        {{0, 0, 0x19, 0, 0, 0}, {"2.0", "2.3", "2.4"}, "9. Режим АННУЛИРОВАНИЕ"},
        {{0x41, 0x10, 0x07, 0x20, 0x02, 0x50},
         {"0.0", "0.6", "1.4", "2.0", "2.1", "2.2", "3.5", "4.1", "5.4", "5.6"},
         "7. Открыт чек  внесения/изъятия"},
    };
    for (const auto& c : cases) {
        record.StatusBytes = c.bytes;
        Session.CurrentAnswer = &record;
        Form5->FormActivate();
        EXPECT_EQ(Ticked(), c.ticked);
        EXPECT_TRUE(AllAlwaysSetTicked());
        EXPECT_EQ(Form5->ComboBox1.Text(), c.receiptState);
    }
    // Before any command the view is empty rather than broken.
    Session.CurrentAnswer = nullptr;
    Form5->FormActivate();
    EXPECT_TRUE(Ticked().empty());
    EXPECT_TRUE(AllAlwaysSetTicked());
    EXPECT_EQ(Form5->ComboBox1.ItemIndex(), 0);
}

TEST_F(StatusViewerTest, TheViewCannotBeOperated) {
    for (int byte = 0; byte < 6; ++byte)
        EXPECT_FALSE(Form5->BitBox(byte, 0).CanOperate());
    EXPECT_FALSE(Form5->ComboBox1.CanOperate());
    EXPECT_TRUE(Form5->Button2.CanOperate());
}

TEST_F(StatusViewerTest, RefreshAsksTheRegisterAndUpdatesCountAndStatusLine) {
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    const struct {
        std::string paymentTypes;
        int32_t count;
    } cases[] = {{"4", 4}, {"0", 10}, {"", 10}};
    for (const auto& c : cases) {
        sim.UpdateState([&](regsim::RegisterState& state) {
            state.PaymentTypes = c.paymentTypes;
            state.Status[5] = 0x10;
        });
        Form5->Button2.Click();
        EXPECT_TRUE(host.Texts().empty());
        EXPECT_EQ(Session.PaymentCount, c.count) << c.paymentTypes;
        EXPECT_EQ(sim.Frames().back().Code, 0x80);
        EXPECT_EQ(sim.Frames().back().Data, "736204;");
    }
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "   Модель:Kivrel LT-6,    Версия:3.01,     Симулятор.");
    EXPECT_EQ(Ticked(), (std::vector<std::string>{"5.4"}));
}

TEST_F(StatusViewerTest, AFailedRefreshChangesNothingButTheCurrentAnswer) {
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    Form5->Button2.Click(); // a good answer first
    Session.PaymentCount = 7;
    Form1->StatusBar1.SetSimpleText("before");
    sim.UpdateState([](regsim::RegisterState& state) { state.Status[0] = 0x01; });

    const struct {
        regsim::AnswerOverride change;
        std::string message;
    } cases[] = {
        {{.Silent = true}, "Проверка состояния регистратора:\n  Таймаут устройства! Ошибка!"},
        {{.Error = "0006"}, "Проверка состояния регистратора:\n  Неверный пароль доступа!"},
    };
    for (const auto& c : cases) {
        host.Clear();
        sim.SetOverride(0x80, c.change);
        Form5->Button2.Click();
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message}));
        EXPECT_EQ(Session.PaymentCount, 7);
        EXPECT_EQ(Form1->StatusBar1.SimpleText(), "before");
        EXPECT_FALSE(Form5->BitBox(0, 0).Checked());
        EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());
    }
}

TEST_F(StatusViewerTest, StatusButtonsOpenTheViewerModally) {
    ShowStatusViewer();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5"}));
}

} // namespace

namespace {
TEST_F(StatusViewerTest, TheViewLooksTidyAndReadable) {
    const auto picture = std::filesystem::temp_directory_path() / "kaltor-status-viewer.png";
    EXPECT_TRUE(GrabToPng(*Form5, picture.string()));
}
} // namespace
