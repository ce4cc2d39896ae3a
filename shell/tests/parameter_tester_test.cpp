#include "shell/tests/shell_fixture.h"

namespace {

class ParameterTesterTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ApiSetup = {};
        Form4->FormActivate();
    }
    void TearDown() override {
        ApiSetup = {};
        ShellFixture::TearDown();
    }
    void Choose(const std::string& handler) {
        const ParameterTesterHandler* chosen = FindParameterTesterHandler(handler);
        ASSERT_NE(chosen, nullptr) << handler;
        ApplyParameterTesterSetup(*chosen);
        setForm4(*Form4);
    }
    void Run(const std::string& handler, const std::vector<std::string>& inputs) {
        Choose(handler);
        int row = 0;
        for (const std::string& text : inputs)
            Form4->Inputs()[row++]->SetText(text);
        Form4->Button1.Click();
    }
    static int VisibleRows(std::array<TEdit*, ApiParameterRows> rows) {
        int count = 0;
        for (TEdit* edit : rows)
            count += edit->Visible() ? 1 : 0;
        return count;
    }
};

TEST_F(ParameterTesterTest, SetUpHandlersShowTheirRowsAndHints) {
    const struct {
        const char* handler;
        int inputs, outputs;
    } cases[] = {
        {"GetDateTime1Click", 0, 2},          {"SellItem1Click", 3, 2},
        {"OpenNonFiscalReceipt1Click", 0, 0}, {"GetArticulDataByIndex1Click", 1, 5},
        {"AddArticul1Click", 5, 0},
    };
    for (const auto& c : cases) {
        Choose(c.handler);
        EXPECT_EQ(VisibleRows(Form4->Inputs()), c.inputs) << c.handler;
        EXPECT_EQ(VisibleRows(Form4->Outputs()), c.outputs) << c.handler;
    }
    EXPECT_EQ(ParameterTesterHandlers.size(), 33u);
    EXPECT_EQ(FindParameterTesterHandler("NoSuch1Click"), nullptr);
}

TEST_F(ParameterTesterTest, HintsFollowTheFocusAndGoWhenTheWindowCloses) {
    Choose("GetTaxes1Click");
    Form4->Edit5.OnEnter();
    EXPECT_EQ(Form4->StatusBar1.PanelText(0), "Номер налога");
    Form4->Edit5.OnExit();
    EXPECT_EQ(Form4->StatusBar1.PanelText(0), "");
    Form4->Edit12.OnEnter();
    EXPECT_EQ(Form4->StatusBar1.PanelText(0), "Наименование");

    // A handler writes only the hints it has; the others keep theirs until the window closes.
    Choose("GetDateTime1Click");
    EXPECT_EQ(ApiSetup.ApiOutputHints[0], "Текущая дата (DDMMYY)");
    EXPECT_EQ(ApiSetup.ApiOutputHints[2], "Наименование");
    EXPECT_EQ(ApiSetup.ApiInputHints[0], "Номер налога");
    Form4->FormDeactivate();
    for (int row = 0; row < ApiParameterRows; ++row)
        EXPECT_TRUE(ApiSetup.ApiInputHints[row].empty() && ApiSetup.ApiOutputHints[row].empty());
    // The logo line is as long as the driver requires.
    EXPECT_STREQ(FindParameterTesterHandler("SetUserLogo1Click")->InputHints[1],
                 "Линия (пикселы для печати) - строка 48 символов 0-F");
}

TEST_F(ParameterTesterTest, RefusalsSendNothingAndNeedNoEarlierAnswer) {
    const struct {
        const char* handler;
        std::vector<std::string> inputs;
        std::string message;
    } cases[] = {
        {"SetHesderFooter1Click", {"25", "text"}, "Ошибка! Номер строки не более 20!"},
        {"GetHeaderFooter1Click", {"21"}, "Ошибка! Номер строки не более 20!"},
        {"SetUserLogo1Click", {"-1", std::string(48, '0')}, "Ошибка! Номер строки должен быть от 0 до 31!"},
        {"SetUserLogo1Click",
         {"3", std::string(64, '0')},
         "Ошибка! Длина второго параметра должна быть 48 символов!"},
        {"GetArticulDataByIndex1Click", {"12a"}, "Ошибка! Неверное количество цифр в индексе товара"},
        {"SetModePsw1Click",
         {"1234567", "1", "1", "1"},
         "Ошибка! Неверное количество цифр в пароле ручных отчетов"},
        {"SetModePsw1Click",
         {"1", "", "1", "1"},
         "Ошибка! Неверное количество цифр в пароле программирования"},
        {"SetModePsw1Click", {"1", "1", "x", "1"}, "Ошибка! Неверное количество цифр в пароле отчетов"},
        {"SetModePsw1Click",
         {"1", "1", "1", "1234567"},
         "Ошибка! Неверное количество цифр в пароле администратора"},
        {"SetPaymentParams1Click",
         {"123", "01", "Карта"},
         "Ошибка! Неверное количество цифр в номере оплаты"},
        {"SetPaymentParams1Click",
         {"1", "1G", "Карта"},
         "Ошибка! Неверное количество символов в маске разрешений"},
        {"SetPaymentParams1Click",
         {"1", "83", ""},
         "Ошибка! Неверное количество цифр в поле название типа оплаты"},
        {"GetPaymentParams1Click", {""}, "Ошибка! Неверное количество цифр в номере оплаты"},
        {"SetOperatorParams1Click", {"x", "1", "Иван"}, "Ошибка! Неверный номер оператора"},
        {"SetOperatorParams1Click",
         {"1", "12a", "Иван"},
         "Ошибка! Неверное количество цифр в пароле оператора"},
        {"SetOperatorParams1Click",
         {"1", "1", std::string(21, 'x')},
         "Ошибка! Неверное количество символов в имени оператора"},
        {"GetOperatorParams1Click", {"100"}, "Ошибка! Неверное количество цифр в индексе оператора"},
        {"SetTaxes1Click", {"5", "0", "20.00", "НДС"}, "Ошибка! Неверная налоговая ставка"},
        {"GetTaxes1Click", {""}, "Ошибка! Неверная налоговая ставка"},
        {"PrintText1Click", {std::string(31, 'x')}, "Ошибка! Неверная длина текста"},
        {"PrintEAN13Code1Click", {"0", "123456789012"}, "Ошибка! Высота штрихкода от 1 до 255 пикселей."},
        {"PrintEAN13Code1Click", {"256", "123456789012"}, "Ошибка! Высота штрихкода от 1 до 255 пикселей."},
        {"PrintEAN13Code1Click",
         {"50", "12345678901a"},
         "Ошибка! Разрешается использовать только цифры (0 - 9)."},
        {"PrintEAN13Code1Click",
         {"50", "12345678901"},
         "Ошибка! Для данного типа штрихкода введите 12 цифр."},
        // Codes the tester has no call for say so instead of showing an earlier answer.
        {"AddArticul1Click", {"1", "a", "1.00", "0", "1"}, "Команда не отправлена!"},
        {"SetRegistratorParams1Click", {"1", "1", "1", "1", "1"}, "Команда не отправлена!"},
        {"ClearOpetratorPsw1Click", {"1"}, "Команда не отправлена!"},
        {"MakeCopy1Click", {"1"}, "Команда не отправлена!"},
    };
    for (const auto& c : cases) {
        host.Clear();
        Run(c.handler, c.inputs);
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message})) << c.handler;
        EXPECT_TRUE(Form4->Edit3.Text().empty()) << c.handler;
        EXPECT_FALSE(Form4->SpeedButton2.Enabled()) << c.handler;
    }
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer()) << "never null once a command was attempted";

    ApiSetup.ApiCode = 0x31;
    host.Clear();
    Form4->Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка! Неверный код команды!"}));
}

TEST_F(ParameterTesterTest, AnswerFieldsFillTheOutputRows) {
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    sim.SetClock({2024, 3, 7, 9, 5, 0}, false);
    Run("GetDateTime1Click", {});
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(sim.Frames().back().Code, 0x21);
    EXPECT_EQ(Form4->Edit10.Text(), "070324");
    EXPECT_EQ(Form4->Edit11.Text(), "0905");
    EXPECT_EQ(Form4->Edit3.Text(), "0000");
    EXPECT_EQ(Form4->Edit2.Text(), TheAnswer().DataCopy);
    EXPECT_EQ(Form4->Edit4.Text(), "00 00 00 00 00 00 ");
    EXPECT_TRUE(Form4->SpeedButton1.Enabled() && Form4->SpeedButton2.Enabled());
    EXPECT_EQ(Session.CurrentAnswer, &TheAnswer());

    sim.SetOverride(0x2E, {.Data = "81;Карта"});
    Run("GetPaymentParams1Click", {"2"});
    EXPECT_EQ(sim.Frames().back().Data, "736204;2;");
    EXPECT_EQ(Form4->Edit10.Text(), "81");
    EXPECT_EQ(Form4->Edit11.Text(), "Карта");
    EXPECT_TRUE(Form4->Edit12.Text().empty());
}

TEST_F(ParameterTesterTest, InputsAreSentInOrder) {
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    const std::string pixels(48, 'F');
    const struct {
        const char* handler;
        std::vector<std::string> inputs;
        int code;
        std::string data;
    } cases[] = {
        {"SetUserLogo1Click", {"3", pixels}, 0x29, "736204;3;" + pixels + ";"},
        {"SetModePsw1Click", {"1", "22", "333", "4444"}, 0x2B, "1;22;333;4444;"},
        {"SetPaymentParams1Click", {"1", "83", "Карта"}, 0x2D, "736204;1;83;Карта;"},
        {"SetTaxes1Click", {"4", "1", "20.00", "НДС"}, 0x47, "736204;4;01;20.00;НДС;-1;"},
        {"SellItem1Click", {"12", "1.500", "2.00"}, 0x64, "736204;12;1.500;2.00;"},
        {"CloseNonFiscalReceipt1Click", {}, 0x65, "736204;0;"},
    };
    for (const auto& c : cases) {
        host.Clear();
        Run(c.handler, c.inputs);
        EXPECT_TRUE(host.Texts().empty()) << c.handler;
        EXPECT_EQ(sim.Frames().back().Code, c.code) << c.handler;
        EXPECT_EQ(sim.Frames().back().Data, c.data) << c.handler;
    }
}

TEST_F(ParameterTesterTest, TimeOutsAndMalformedErrorFieldsAreReported) {
    ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    sim.SetOverride(0x42, {.Silent = true});
    Run("GetSerialNumber1Click", {});
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Таймаут устройства! Ошибка!"}));
    EXPECT_TRUE(Form4->Edit3.Text().empty());

    host.Clear();
    sim.SetOverride(0x42, {.Error = "123", .Data = "KV1"});
    Run("GetSerialNumber1Click", {});
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "Ошибка! Регистратор вернул неверный результат \n  (длина кода ошибки неверна)"}));
    EXPECT_EQ(Form4->Edit3.Text(), "123");
    EXPECT_TRUE(Form4->Edit10.Text().empty());
}

TEST_F(ParameterTesterTest, ASetUpHandlerShowsTheTesterModally) {
    RunParameterTesterSetup(*FindParameterTesterHandler("GetDateTime1Click"));
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm4"}));
    EXPECT_EQ(ApiSetup.ApiCode, 0x21);
    EXPECT_TRUE(ApiSetup.ApiOutputHints[0].empty()); // emptied when the window closed
}

} // namespace
