// Operators, mode passwords, service counters, decimal point and device identifier.
#include "dialogs/setup/tests/setup_fixture.h"

namespace {
using SmallDialogsTest = SetupFixture;

TEST_F(SmallDialogsTest, AnOperatorIsSetReadAndDeleted) {
    TForm12& form = *Form12;
    form.Edit5.SetText("3");
    form.Edit2.SetText("Иванова");
    form.Edit1.SetText("1234");
    form.Button1.Click();
    EXPECT_EQ(LastFrame().Data, "736204;3;1234;Иванова;");
    form.Button3.Click();
    EXPECT_EQ(form.Edit3.Text(), "Иванова");
    EXPECT_FALSE(form.CheckBox1.Checked());
    form.Button4.Click();
    EXPECT_EQ(Setup().Operators.count(3), 0u);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>(3, "Успешно!")));

    host.Clear();
    sim.UpdateState([](regsim::RegisterState& state) { state.Setup.Operators[5] = {"1", "Петров", true}; });
    form.Edit5.SetText("5");
    form.Button3.Click();
    EXPECT_TRUE(form.CheckBox1.Checked());
    form.Edit5.SetText("-1");
    form.Button4.Click();
    EXPECT_EQ(LastFrame().Data, "736204;-1;");

    host.Clear();
    sim.ClearFrames();
    form.Edit5.SetText("");
    for (TButton* button : {&form.Button1, &form.Button3, &form.Button4})
        button->Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>(3, "Ошибка! Номер оператора неверный.")));
    EXPECT_EQ(sim.FrameCount(), 0u);

    form.Edit5.SetText("40");
    form.Button1.Click();
    EXPECT_EQ(host.Texts().back(), "Оператор 40 \n  Значение поля номер 2 выходит за допустимый диапазон!");
}

TEST_F(SmallDialogsTest, ModePasswordsNeedTheAdministratorsPassword) {
    TForm13& form = *Form13;
    form.Edit2.SetText("111111");
    form.Edit4.SetText("222222");
    form.Button1.Click();
    EXPECT_EQ(LastFrame().Data, "736204;111111;736204;222222;");
    form.Button1.Click(); // the administrator's password is 222222 now
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                "Успешно!", "Ошибка установки паролей: \n  Неверный пароль доступа!"}));
    EXPECT_EQ(Setup().AdministratorPassword, "222222");
}

TEST_F(SmallDialogsTest, ServiceCountersReadAsTheirKindAndUsbModeDisconnects) {
    TForm39& form = *Form39;
    form.FormActivate();
    EXPECT_FALSE(form.Button4.Enabled());
    form.Button2.Click();
    EXPECT_EQ(form.Edit1.Text(), "87%");

    sim.UpdateState([](regsim::RegisterState& state) {
        state.Counters[1] = "2";
        state.Counters[6] = "7";
    });
    const struct {
        int item;
        std::string shown;
    } reads[] = {{1, "2. USB"}, {6, "7"}, {2, "0"}};
    for (const auto& r : reads) {
        form.ComboBox1.SetItemIndex(r.item);
        form.ComboBox1Change();
        form.Button2.Click();
        EXPECT_EQ(form.Edit1.Text(), r.shown) << r.item;
    }

    form.ComboBox1.SetItemIndex(4);
    form.ComboBox1Change();
    EXPECT_FALSE(form.Button2.Enabled());
    form.Edit1.SetText("");
    form.Button4.Click();
    EXPECT_EQ(LastFrame().Data, "736204;4;0;");
    EXPECT_TRUE(LinkIsOpen());

    form.ComboBox1.SetItemIndex(3);
    form.ComboBox1Change();
    form.Edit1.SetText("1");
    host.Clear();
    form.Button4.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_FALSE(LinkIsOpen());
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox1.Enabled());
    EXPECT_FALSE(Form1->N6.Enabled());
}

TEST_F(SmallDialogsTest, DecimalPointAndDeviceIdentifier) {
    TForm32& point = *Form32;
    point.FormActivate();
    point.ComboBox1.SetItemIndex(3);
    point.Button2.Click();
    point.FormActivate();
    EXPECT_EQ(point.ComboBox1.ItemIndex(), 2);
    point.Button3.Click();
    EXPECT_EQ(point.ComboBox1.ItemIndex(), 3);
    EXPECT_EQ(point.Edit3.Text(), "0000");
    EXPECT_TRUE(host.Texts().empty());

    TForm50& id = *Form50;
    id.Edit1.SetText("305419896");
    id.Button2.Click();
    id.Edit1.SetText("");
    id.Button1.Click();
    EXPECT_EQ(id.Edit1.Text(), "305419896");
    EXPECT_EQ(id.Label3.Caption(), "Значение ID_DEV (Hex): 12345678");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>(2, "Успешно!")));

    host.Clear();
    id.Edit1.SetText("");
    id.Button2.Click();
    sim.SetOverride(0x4C, {.Error = "0103"});
    id.Button1.Click();
    sim.SetOverride(0x4B, {.Error = "0006"});
    id.Edit1.SetText("1");
    id.Button2.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Не введён ID_DEV. Ошибка!", "Чтение ID_DEV, код ошибки:\n  0103",
                                        "Проверка состояния регистратора:\n  Неверный пароль доступа!"}));
}
} // namespace
