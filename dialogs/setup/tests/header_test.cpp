#include "dialogs/setup/tests/setup_fixture.h"

namespace {
using HeaderTest = SetupFixture;

TEST(CentringBlanks, HalfTheWidthLessHalfTheText) {
    const struct {
        int width, length;
        bool doubleWidth;
        int blanks;
    } cases[] = {
        {40, 5, false, 18}, {42, 25, true, 0}, {40, 40, false, 0}, {38, 7, true, 6}, {32, 0, false, 16}};
    for (const auto& c : cases)
        EXPECT_EQ(CentringBlanks(c.width, c.length, c.doubleWidth), c.blanks) << c.width << " " << c.length;
}

// A click on an attribute cell steps it on and never selects it.
void ClickAttribute(TStringGrid& grid, int row, int clicks) {
    for (int i = 0; i < clicks; ++i) {
        bool canSelect = true;
        grid.OnSelectCell(2, row, canSelect);
        EXPECT_FALSE(canSelect);
    }
}

TEST_F(HeaderTest, ProgrammedLinesReadBackCentredForThePaper) {
    TForm11& form = *Form11;
    form.FormActivate();
    form.StringGrid1.SetCell(1, 1, "  Кафе  ");
    ClickAttribute(form.StringGrid1, 1, 1); // single width
    form.CheckBox2.SetChecked(true);
    form.StringGrid1.SetCell(1, 3, "ДОБРО ПОЖАЛОВАТЬ");
    ClickAttribute(form.StringGrid1, 3, 2); // double width
    form.StringGrid2.SetCell(1, 2, "Спасибо");
    ClickAttribute(form.StringGrid2, 2, 1);
    form.ComboBox1.SetItemIndex(0);
    form.ComboBox1Change();
    EXPECT_TRUE(form.CheckBox1.Enabled());
    form.Button2.Click();

    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(FrameData(0x22),
              (std::vector<std::string>{"736204;0;" + std::string(18, ' ') + "Кафе;0;",
                                        "736204;2;ДОБРО ПОЖАЛОВАТЬ;1;", "736204;11;Спасибо;0;"}));

    form.FormActivate(); // every attribute back to "не записывать"; the texts stay
    form.Button3Click();
    form.Button4Click();
    host.Clear();
    form.ComboBox1.SetItemIndex(3);
    form.ComboBox1Change();
    EXPECT_FALSE(form.CheckBox1.Enabled());
    form.Button2.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(form.StringGrid1.Cell(1, 1), std::string(18, ' ') + "Кафе");
    EXPECT_EQ(form.StringGrid1.Cell(2, 3), "двойная ширина");
    EXPECT_EQ(form.StringGrid1.Cell(2, 2), "одинарная ширина");
    EXPECT_EQ(form.StringGrid2.Cell(1, 2), "Спасибо");
}

TEST_F(HeaderTest, ComboBoxWidthCentresAndOnlyNonEmptyRowsAreWritten) {
    TForm11& form = *Form11;
    form.FormActivate();
    form.Edit2.Hide();
    form.ComboBox2.Show();
    form.ComboBox2.SetText("44");
    form.Button5Click();
    for (int row = 1; row <= 3; ++row)
        ClickAttribute(form.StringGrid1, row, 1);
    form.StringGrid1.SetCell(1, 2, "ЧЕК");
    form.ComboBox1.SetItemIndex(1);
    form.ComboBox1Change();
    form.CheckBox1.SetChecked(true);
    form.Button2.Click();
    EXPECT_EQ(FrameData(0x22), (std::vector<std::string>{"736204;1;" + std::string(21, ' ') + "ЧЕК;0;"}));
}

TEST_F(HeaderTest, AClearRightAfterOpeningSendsNothingAndAFailureNamesItsLine) {
    TForm11& form = *Form11;
    form.FormActivate();
    form.ComboBox1.SetItemIndex(6);
    form.ComboBox1Change();
    form.Button2.Click();
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));

    host.Clear();
    ClickAttribute(form.StringGrid2, 3, 1);
    form.ComboBox1.SetItemIndex(8);
    sim.SetOverride(0x22, {.Error = "0006"});
    form.Button2.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Рекламный текст.\n  Строка 12 :\n  Неверный пароль доступа!"}));

    host.Clear();
    sim.SetOverride(0x23, {.Silent = true});
    form.StringGrid1.SetCell(1, 1, "прежний");
    form.ComboBox1.SetItemIndex(4);
    form.Button2.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Заголовок.\n  Строка 0 :\n  Таймаут устройства! Ошибка!"}));
    EXPECT_EQ(form.StringGrid1.Cell(1, 1), "прежний");
}
} // namespace
