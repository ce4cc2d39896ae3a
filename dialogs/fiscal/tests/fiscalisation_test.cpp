#include <thread>

#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

class FiscalisationTest : public FiscalFixture {
protected:
    void Fiscalise(const std::string& password, const std::string& repeat,
                   const std::string& factory = "KV00000001") {
        Form19->Edit4.SetText(factory);
        Form19->Edit1.SetText(password);
        Form19->Edit2.SetText(repeat);
        host.Clear();
        sim.ClearFrames();
        Form19->Button2.Click();
    }
};

TEST_F(FiscalisationTest, PasswordsAreCheckedBeforeAnythingIsSent) {
    const struct {
        const char* password;
        const char* repeat;
        const char* message;
    } cases[] = {
        {"12345", "12345", "Довжина пароля - 6!"},
        {"123456", "12345", "Довжина пароля - 6!"},
        {"123456", "123457", "Повторно зроби ввод паролей та фіскалізацію"},
    };
    for (const auto& c : cases) {
        Fiscalise(c.password, c.repeat);
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message}) << c.password;
        EXPECT_EQ(sim.FrameCount(), 0u);
    }
}

TEST_F(FiscalisationTest, FiscalisesWaitsForTheRegisterAndPrintsTheConfirmation) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.BusyAfterFiscalize = 2; });
    Fiscalise("111111", "111111");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Фіскаліз. реєстратора - Успішно!"});
    EXPECT_EQ(Codes(), (std::vector<int>{0x40, 0x80, 0x80, 0x80, 0x60, 0x84, 0x61, 0x65}));
    EXPECT_EQ(sim.Frames()[0].Data, "736204;KV00000001;111111;");
    EXPECT_EQ(DataOf(0x61), std::vector<std::string>{"736204;РЕЄСТРАТОР ФІСКАЛІЗОВАНО УСПІШНО!;"});
    EXPECT_TRUE(sim.State().Fiscal.FiscalMode);
    EXPECT_EQ(Form19->Edit5.Text(), "0000");
}

TEST_F(FiscalisationTest, ARefusedFiscalisationSendsNothingMore) {
    Fiscalise("111111", "111111", "KV99999999");
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_EQ(host.Texts()[0].rfind("Фіскаліз. реєстратора:\n  ", 0), 0u) << host.Texts()[0];
    EXPECT_EQ(Codes(), std::vector<int>{0x40});
    EXPECT_EQ(Form19->Edit5.Text(), "0008");
    EXPECT_FALSE(sim.State().Fiscal.FiscalMode);
}

// A register that never answers without error: the wait ends by itself, or when "Закрыть" is pressed.
TEST_F(FiscalisationTest, TheWaitForTheRegisterIsBoundedAndCanBeGivenUp) {
    const std::string gaveUp = "Реєстратор фіскалізовано, але він не відповідає без помилки. Очікування "
                               "припинено, чек не надруковано.";
    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.BusyAfterFiscalize = 1000000; });
    host.OnProcessMessages = [this] {
        if (host.ProcessMessagesCount() == 3) Form19->Button1.Click();
    };
    Fiscalise("111111", "111111");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{gaveUp});
    EXPECT_EQ(Codes(), (std::vector<int>{0x40, 0x80, 0x80, 0x80}));
    EXPECT_FALSE(Form19->Visible());
    EXPECT_TRUE(Form19->Button2.Enabled());

    host.OnProcessMessages = nullptr;
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Fiscal = regsim::FiscalData{};
        state.Resources.MayFiscalize = "1";
        state.Fiscal.BusyAfterFiscalize = 1000000;
    });
    const int64_t start = MonotonicMs();
    Fiscalise("111111", "111111");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{gaveUp});
    EXPECT_GE(MonotonicMs() - start, ScaledMs(60000));
    const std::vector<int> codes = Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x60), 0);
}

class FactoryNumberTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        SetLocalClock([] { return LocalDateTime{2026, 3, 7, 9, 5, 0, 0}; });
        Form15->FormActivate();
    }
    void TearDown() override {
        SetLocalClock({});
        FiscalFixture::TearDown();
    }
};

TEST_F(FactoryNumberTest, TheFactoryNumberIsWrittenAfterTheClockAndTheRestart) {
    EXPECT_EQ(Form15->Edit1.Text(), "070326");
    EXPECT_EQ(Form15->Edit2.Text(), "0905");
    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.RestartMs = 400; });
    Form15->Button3.Click();
    EXPECT_EQ(Codes(), (std::vector<int>{0x20, 0xF3}));
    EXPECT_TRUE(Form15->Label6.Visible());
    EXPECT_TRUE(host.Texts().empty());

    Form15->Edit4.SetText("KV7654321");
    Form15->Button2.Click(); // the register is still restarting
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Таймаут устройства! Ошибка!"});
    EXPECT_FALSE(Form15->Label6.Visible());

    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    host.Clear();
    Form15->Button2.Click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Успешно. Заводской номер установлен!"});
    EXPECT_EQ(sim.State().FactoryNumber, "KV7654321");
    EXPECT_EQ(DataOf(0x41).back(), "736204;KV7654321;");
}

TEST_F(FactoryNumberTest, RefusalsAndShortNumbers) {
    Form15->Edit4.SetText("KV1234");
    Form15->Button2.Click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{
                                "Неверное количество символов в номере! \n Заводской номер не установлен!"});
    EXPECT_EQ(sim.FrameCount(), 0u);

    host.Clear();
    Form15->Edit4.SetText("KV1234567");
    Form15->Button2.Click(); // the clock was never set
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Заводской номер не установлен!"});

    host.Clear();
    sim.ClearFrames();
    Form15->Edit1.SetText("320126");
    Form15->Button3.Click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Ошибка установки времени!"});
    EXPECT_EQ(Codes(), std::vector<int>{0x20});
    EXPECT_FALSE(Form15->Label6.Visible());
}

TEST_F(FactoryNumberTest, TheWindowLooksTidy) {
    Form15->Label6.Show();
    EXPECT_TRUE(
        GrabToPng(*Form15, (std::filesystem::temp_directory_path() / "kaltor-factory-number.png").string()));
    EXPECT_TRUE(
        GrabToPng(*Form19, (std::filesystem::temp_directory_path() / "kaltor-fiscalisation.png").string()));
}

TEST_F(FiscalisationTest, TheReadingWindowFillsItsOwnForm) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.FactoryNumber = "KV12345678";
        state.Fiscal.IdNumber = "";
        state.TaxNumber = "";
        state.Fiscal.Taxes[1] = {3, "7.00", "ПДВ 7", -1};
    });
    Form17->Button3.Click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Успешно!"});
    EXPECT_EQ(Form17->Edit10.Text(), "KV12345678");
    EXPECT_EQ(Form17->Edit11.Text(), "0000000000");
    EXPECT_EQ(Form17->Edit12.Text(), "");
    EXPECT_EQ(Form17->ComboBox2.ItemIndex(), 3);
    EXPECT_EQ(Form17->Edit2.Text(), "7.00");
    EXPECT_EQ(Form17->Edit7.Text(), "ПДВ 7");
}

TEST_F(FiscalisationTest, TheInspectorPasswordChangesOnlyWithTheOldOneAndAMatchingRepeat) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Fiscal.FiscalMode = true;
        state.Fiscal.InspectorPassword = "111111";
    });
    const struct {
        const char* old;
        const char* repeat;
        std::string message;
        const char* password; // the inspector's password afterwards
    } cases[] = {
        {"111111", "222223", "Новый пароль и его повтор не совпадают!", "111111"},
        {"999999", "222222", "Пароль налогового инспектора не изменен:\n  ", "111111"},
        {"111111", "222222", "ККМ фискализирован!!!", "222222"},
    };
    for (const auto& c : cases) {
        host.Clear();
        Form16->Edit4.SetText("KV00000001");
        Form16->Edit3.SetText(c.old);
        Form16->Edit1.SetText("222222");
        Form16->Edit2.SetText(c.repeat);
        Form16->Button2.Click();
        ASSERT_EQ(host.Texts().size(), 1u);
        EXPECT_EQ(host.Texts()[0].rfind(c.message, 0), 0u) << host.Texts()[0];
        EXPECT_EQ(sim.State().Fiscal.InspectorPassword, c.password);
    }
}

} // namespace
