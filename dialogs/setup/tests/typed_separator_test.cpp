#include <QImage>

#include "dialogs/setup/tests/setup_fixture.h"
#include "shell/tests/typed_separator.h"

namespace {

using TypedSeparatorTest = SetupFixture;

TEST_F(TypedSeparatorTest, EveryTypedFieldOfTheSetupWindowsRefusesTheSeparator) {
    const std::string picture = (Folder() / "logo.bmp").string();
    QImage(16, 8, QImage::Format_RGB32).save(QString::fromStdString(picture), "BMP");
    const auto loadPicture = [&] {
        host.ChooseNextFile(picture);
        Form6->Button2.Click();
    };
    const auto programHeader = [] {
        Form11->ComboBox1.SetItemIndex(0);
        Form11->ComboBox1.OnChange();
    };
    const auto settableCounter = [] {
        Form39->ComboBox1.SetItemIndex(1);
        Form39->ComboBox1.OnChange();
    };
    const SeparatorRow rows[] = {
        {Form27, &Form27->Edit2, "Время (HHMM):", &Form27->Button3},
        {Form27, &Form27->Edit3, "Пароль:", &Form27->Button3},
        {Form27, &Form27->Edit3, "Пароль:", &Form27->Button2},
        {Form32, &Form32->Edit1, "Пароль:", &Form32->Button3},
        {Form32, &Form32->Edit1, "Пароль:", &Form32->Button2},
        {Form50, &Form50->Edit6, "Пароль:", &Form50->Button1},
        {Form50, &Form50->Edit6, "Пароль:", &Form50->Button2},
        {Form50, &Form50->Edit1, "Значение ID_DEV:", &Form50->Button2},
        {Form11, &Form11->Edit1, "Пароль:", &Form11->Button2, programHeader},
        {Form6, &Form6->Edit1, "Пароль для программирования:", &Form6->Button3, loadPicture},
        {Form51, &Form51->Edit3, "Пароль:", &Form51->Button28},
        {Form44, &Form44->Edit3, "Пароль:", &Form44->Button2},
        {Form53, &Form53->Edit3, "Пароль:", &Form53->Button2},
        {Form42, &Form42->Edit6, "Пароль:", &Form42->Button1},
        {Form42, &Form42->Edit6, "Пароль:", &Form42->Button2},
        {Form49, &Form49->Edit6, "Пароль:", &Form49->Button1},
        {Form49, &Form49->Edit6, "Пароль:", &Form49->Button2},
        {Form12, &Form12->Edit4, "Пароль:", &Form12->Button1},
        {Form12, &Form12->Edit2, "Имя:", &Form12->Button1},
        {Form12, &Form12->Edit1, "Пароль оператора:", &Form12->Button1},
        {Form12, &Form12->Edit4, "Пароль:", &Form12->Button3},
        {Form12, &Form12->Edit4, "Пароль:", &Form12->Button4},
        {Form13, &Form13->Edit5, "Пароль администратора:", &Form13->Button1},
        {Form13, &Form13->Edit2, "Новый пароль программирования:", &Form13->Button1},
        {Form13, &Form13->Edit3, "Новый пароль отчетов:", &Form13->Button1},
        {Form13, &Form13->Edit4, "Новый пароль администратора:", &Form13->Button1},
        {Form45, &Form45->Edit2, "Пароль:", &Form45->Button1},
        {Form43, &Form43->Edit2, "Пароль:", &Form43->Button1},
        {Form46, &Form46->Edit2, "Пароль:", &Form46->Button2},
        {Form26, &Form26->Edit5, "Пароль:", &Form26->Button7},
        {Form26, &Form26->Edit5, "Пароль:", &Form26->Button6},
        {Form38, &Form38->Edit2, "Старый пароль:", &Form38->Button3},
        {Form38, &Form38->Edit3, "Новый пароль:", &Form38->Button3},
        {Form39, &Form39->Edit3, "Пароль:", &Form39->Button2},
        {Form39, &Form39->Edit3, "Пароль:", &Form39->Button4, settableCounter},
    };
    for (const SeparatorRow& row : rows)
        ExpectSeparatorRefused(host, sim, row);
}

// Lines of a grid or a memo are named by their block or box and their number.
TEST_F(TypedSeparatorTest, HeaderAndReminderLinesAreNamedByTheirNumber) {
    host.OnModal("Form11", [](TForm& form) {
        Form11->ComboBox1.SetItemIndex(0);
        Form11->ComboBox1.OnChange();
        Form11->StringGrid2.SetCell(1, 3, "Акция; скидки");
        Form11->StringGrid2.SetCell(2, 3, "одинарная ширина");
        Form11->Button2.Click();
        Form11->ComboBox1.SetItemIndex(3); // reading sends no line, so none is judged
        Form11->ComboBox1.OnChange();
        Form11->Button2.Click();
        form.Close();
    });
    Form11->ShowModal();
    ASSERT_EQ(host.Texts().size(), 2u);
    EXPECT_EQ(host.Texts()[0], FieldSeparatorMessage("Рекламный текст, строка 2"));
    EXPECT_EQ(host.Texts()[1], "Успешно!");
    for (const auto& frame : sim.Frames())
        EXPECT_EQ(frame.Code, 0x23); // only the reading went out

    host.Clear();
    sim.ClearFrames();
    host.OnModal("Form38", [](TForm& form) {
        Form38->Memo1.Lines().Assign(std::vector<std::string>{"Пора на ТО", "звоните; 555"});
        Form38->Button3.Click();
        form.Close();
    });
    Form38->ShowModal();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{FieldSeparatorMessage(
                                "Установить сообщение о техническом обслуживании, строка 2")});
    EXPECT_EQ(sim.FrameCount(), 0u);
}

} // namespace
