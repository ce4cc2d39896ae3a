// Disabled containers and menus, and the keys that press a window's buttons.
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <memory>

#include "platform/forms/tests/fixture.h"

namespace {

class ContainersMenusTest : public FormsTest {};

TEST_F(ContainersMenusTest, DisabledGroupBoxDisablesItsControlsButKeepsTheirOwnFlags) {
    TForm form;
    TGroupBox GroupBox1;
    TPanel Panel1;
    TCheckBox CheckBox1;
    TButton Button1;
    Column main(form);
    main.Group(GroupBox1).Add(CheckBox1);
    main.Panel(Panel1).Add(Button1);
    int clicks = 0;
    Button1.OnClick = [&] { ++clicks; };

    GroupBox1.SetEnabled(false);
    Panel1.SetEnabled(false);
    EXPECT_TRUE(CheckBox1.Enabled());
    EXPECT_FALSE(CheckBox1.CanOperate());
    static_cast<QPushButton*>(Button1.Widget())->click(); // a user cannot press it
    EXPECT_EQ(clicks, 0);

    Panel1.SetEnabled(true);
    EXPECT_TRUE(Button1.CanOperate());
    static_cast<QPushButton*>(Button1.Widget())->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ContainersMenusTest, MenuItemClickDoesNothingUnderADisabledItem) {
    TForm form;
    TMainMenu MainMenu1;
    TMenuItem N6{"&Продажа"}, N7{"Фискальный чек"}, N8{"-"}, N9{"Отчеты"}, N10{"Дневной отчет"};
    MainMenu1.Add(N6);
    N6.Add(N7);
    N6.Add(N8);
    N6.Add(N9);
    N9.Add(N10);
    form.SetMenu(MainMenu1);
    int clicks = 0;
    N10.OnClick = [&] { ++clicks; };

    N10.Click();
    N6.SetEnabled(false);
    N10.Click();
    N6.SetEnabled(true);
    N10.SetEnabled(false);
    N10.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(N6.Count(), 3);
    EXPECT_EQ(&N10.Parent()->Parent()->Items(0), &N7);
}

TEST_F(ContainersMenusTest, MenuItemsReachTheBarWithTheirStates) {
    TForm form;
    TMainMenu MainMenu1;
    TMenuItem N1{"&Сервис"}, N2{"О программе..."};
    MainMenu1.Add(N1);
    N1.Add(N2);
    form.SetMenu(MainMenu1);
    int clicks = 0;
    N2.OnClick = [&] { ++clicks; };
    N2.SetVisible(false);
    N1.SetCaption("&Помощь");

    const auto actions = MainMenu1.Bar()->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0]->text(), QString::fromUtf8("&Помощь"));
    QMenu* menu = actions[0]->menu<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(menu->actions()[0]->isVisible());
    menu->actions()[0]->trigger(); // as the user picks it
    EXPECT_EQ(clicks, 1);
}

TEST_F(ContainersMenusTest, MenuWindowAndItemsMayGoInAnyOrder) {
    // The window goes before its menu; items change and go after it.
    auto form = std::make_unique<TForm>();
    auto MainMenu1 = std::make_unique<TMainMenu>();
    auto N1 = std::make_unique<TMenuItem>("&Сервис");
    auto N2 = std::make_unique<TMenuItem>("О программе...");
    MainMenu1->Add(*N1);
    N1->Add(*N2);
    form->SetMenu(*MainMenu1);
    form.reset();
    N2->SetEnabled(false);
    N1->Add(*std::make_unique<TMenuItem>("Справка")); // added and gone at once
    EXPECT_EQ(N1->Count(), 1);
    MainMenu1.reset();
    N2->SetCaption("Версия");
    N2.reset();
    EXPECT_EQ(N1->Count(), 0);

    // Items go before their menu, as members declared after it do.
    auto menu = std::make_unique<TMainMenu>();
    auto top = std::make_unique<TMenuItem>("&Файл");
    menu->Add(*top);
    top.reset();
    EXPECT_EQ(menu->Count(), 0);
}

TEST_F(ContainersMenusTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    TForm form;
    TEdit Edit1;
    TButton Button1, Button2;
    Column(form).Add(Edit1).Buttons({&Button1, &Button2});
    Button1.SetDefault(true);
    Button2.SetCancel(true);
    Button2.SetModalResult(mrCancel);
    std::vector<std::string> pressed;
    Button1.OnClick = [&] { pressed.push_back("default"); };
    Button2.OnClick = [&] { pressed.push_back("cancel"); };
    host.OnModal("TForm", [&](TForm& f) {
        for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(Edit1.Widget(), &press);
        }
        EXPECT_EQ(f.ModalResult(), mrCancel);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(pressed, (std::vector<std::string>{"default", "cancel"}));
}

TEST_F(ContainersMenusTest, EnterPressesAFocusedButtonAndOtherwiseNoButtonWithoutDefault) {
    TForm form;
    TEdit Edit1;
    TButton Button1, Button2;
    Column(form).Add(Edit1).Buttons({&Button1, &Button2});
    std::vector<std::string> pressed;
    Button1.OnClick = [&] { pressed.push_back("1"); };
    Button2.OnClick = [&] { pressed.push_back("2"); };
    form.Show();
    for (TControl* target : std::initializer_list<TControl*>{&Edit1, &Button2}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target->Widget(), &press);
    }
    EXPECT_EQ(pressed, std::vector<std::string>{"2"});
    form.Hide();
}

TEST_F(ContainersMenusTest, EscapeWithoutCancelButtonLeavesTheWindowOpen) {
    TForm form;
    TButton Button1;
    Column(form).Buttons({&Button1});
    host.OnModal("TForm", [&](TForm& f) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(f.Widget(), &press);
        EXPECT_EQ(f.ModalResult(), mrNone);
        EXPECT_TRUE(f.Visible());
    });
    form.ShowModal();
}

TEST_F(ContainersMenusTest, HiddenControlHidesItsCaption) {
    TForm form;
    TEdit Edit2;
    TComboBox ComboBox2;
    Column main(form);
    main.Field("Ширина ленты (симв.):", Edit2);
    main.Field("Второе поле:", ComboBox2);
    ComboBox2.Hide();
    form.Show();
    QLabel* caption = nullptr;
    for (auto* label : form.Widget()->findChildren<QLabel*>())
        if (label->text() == QString::fromUtf8("Второе поле:")) caption = label;
    ASSERT_NE(caption, nullptr);
    EXPECT_FALSE(caption->isVisible());
    ComboBox2.Show();
    EXPECT_TRUE(caption->isVisible());
    EXPECT_TRUE(ComboBox2.Widget()->isVisible());
    form.Hide();
}

} // namespace
