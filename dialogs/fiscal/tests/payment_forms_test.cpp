#include "dialogs/fiscal/payment_forms.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

class PaymentFormsTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Session.PaymentCount = 4;
        Form34->ForgetRead();
        Form34->FormActivate();
    }
    std::vector<std::string> Row(int row) const {
        std::vector<std::string> cells;
        for (int col = 0; col < 5; ++col)
            cells.push_back(Form34->StringGrid1.Cell(col, row));
        return cells;
    }
};
using Cells = std::vector<std::string>;

TEST_F(PaymentFormsTest, ReadingFillsOneRowPerFormWithItsPermissions) {
    EXPECT_EQ(Form34->StringGrid1.RowCount(), 5);
    EXPECT_EQ(Row(0), (Cells{"Номер", "Название", "Продажа", "Возврат", "Сдача наличными"}));
    EXPECT_EQ(Row(4), (Cells{"3", "", "", "", ""}));
    sim.UpdateState([](regsim::RegisterState& state) {
        state.PaymentForms[0] = {0x81, "ГОТІВКА"};
        state.PaymentForms[1] = {0x02, "ПОВЕРНЕННЯ"};
        state.PaymentForms[2] = {0x00, "ЧЕК"};
        state.PaymentForms[3] = {0x83, "Бонус"};
    });
    Form34->Button3.Click();
    EXPECT_EQ(DataOf(0x2E), (Cells{"736204;0;", "736204;1;", "736204;2;", "736204;3;"}));
    EXPECT_EQ(Row(1), (Cells{"0", "ГОТІВКА", "Разрешено", "Запрещено", "Разрешено"}));
    EXPECT_EQ(Row(2), (Cells{"1", "ПОВЕРНЕННЯ", "Запрещено", "Разрешено", "Запрещено"}));
    EXPECT_EQ(Row(3), (Cells{"2", "ЧЕК", "Запрещено", "Запрещено", "Запрещено"}));
    EXPECT_EQ(Row(4), (Cells{"3", "Бонус", "Разрешено", "Разрешено", "Разрешено"}));
    EXPECT_TRUE(host.Texts().empty());

    // Once read, opening the window again keeps the values.
    Form34->FormActivate();
    EXPECT_EQ(Row(1)[1], "ГОТІВКА");
}

TEST_F(PaymentFormsTest, AFailureStopsTheReadAtItsForm) {
    const struct {
        regsim::AnswerOverride change;
        std::string message;
    } cases[] = {
        {{.Error = "0006"}, "Чтение форм оплаты:\n  Неверный пароль доступа!"},
        {{.Data = "8G;Карта;"}, "Некорректные числовые данные... Ошибка."},
    };
    for (const auto& c : cases) {
        host.Clear();
        sim.ClearFrames();
        sim.SetOverrideForNext(2, {});
        sim.SetOverrideForNext(1, c.change);
        Form34->Button3.Click();
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(DataOf(0x2E).size(), 3u);
        EXPECT_NE(Row(1)[1], "");
        EXPECT_NE(Row(2)[1], "");
        EXPECT_EQ(Row(3), (Cells{"2", "", "", "", ""}));
        EXPECT_EQ(Row(4), (Cells{"3", "", "", "", ""}));
    }
}

TEST_F(PaymentFormsTest, AddingSendsTheMaskOfTheTickedBoxes) {
    EXPECT_FALSE(Form34->Button2.Enabled());
    Form34->Edit2.SetText("3");
    EXPECT_FALSE(Form34->Button2.Enabled());
    Form34->Edit1.SetText("Бонус");
    EXPECT_TRUE(Form34->Button2.Enabled());
    const struct {
        bool sale, refund, change;
        std::string sent;
    } cases[] = {
        {true, true, true, "736204;3;83;Бонус;"},
        {false, true, false, "736204;3;02;Бонус;"},
        {false, false, false, "736204;3;00;Бонус;"},
    };
    for (const auto& c : cases) {
        host.Clear();
        Form34->CheckBox1.SetChecked(c.sale);
        Form34->CheckBox2.SetChecked(c.refund);
        Form34->CheckBox3.SetChecked(c.change);
        Form34->Button2.Click();
        EXPECT_EQ(DataOf(0x2D).back(), c.sent);
        EXPECT_EQ(host.Texts(), std::vector<std::string>{"Успешно!"});
    }
    EXPECT_EQ(sim.State().PaymentForms[3].Name, "Бонус");

    // A number the register does not have is its error; a number that is no number is the library's.
    host.Clear();
    Form34->Edit2.SetText("12");
    Form34->Button2.Click();
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"Добавление формы оплаты:\n  "
                                       "Значение поля номер 2 выходит за допустимый диапазон!"});
}

} // namespace
