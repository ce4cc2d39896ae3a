// A window written the way every window of the program is written, rendered to a picture.
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <filesystem>

#include <unistd.h>

#include "platform/forms/tests/fixture.h"

namespace {

class TForm27 : public TForm {
public:
    TForm27();
    TMainMenu MainMenu1;
    TMenuItem N1{"&Файл"};
    TMenuItem N2{"&Открыть..."};
    TMenuItem N3{"-"};
    TMenuItem N4{"В&ыход"};
    TMenuItem N5{"&Фискальные параметры"};
    TMenuItem N6{"&Служебные счетчики"};
    TMenuItem N7{"Т&ехническое обслуживание"};
    TGroupBox GroupBox1;
    TEdit Edit1;
    TEdit Edit2;
    TEdit Edit3;
    TComboBox ComboBox1;
    TCheckBox CheckBox1;
    TShape Shape1;
    TGroupBox GroupBox2;
    TMemo Memo1;
    TStringGrid StringGrid1;
    TButton Button3;
    TButton Button2;
    TButton Button4;
    TButton Button1;
    TStatusBar StatusBar1;
    int clicks = 0;

private:
    void Button3Click() { ++clicks; }
    void FormActivate() { Edit2.SetText("0930"); }
};

TForm27::TForm27() {
    SetCaption("Дата и время");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Установка часов регистратора");
    Edit3.SetText("736204");
    Edit3.SetMaxLength(6);
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().AddStrings({"Программировать все", "Читать все"});
    ComboBox1.SetItemIndex(0);
    CheckBox1.SetCaption("Не перерисовывать форму");
    Shape1.SetBrushColor(clLime);
    GroupBox2.SetCaption("Сообщения");
    Memo1.Lines().Add("PC: (21)736204;");
    Memo1.Lines().Add("FP: 0000 Успешно!");
    Memo1.SetScrollBars(ssVertical);
    StringGrid1.SetColCount(3);
    StringGrid1.SetRowCount(4);
    StringGrid1.SetColWidth(1, 220);
    StringGrid1.SetColWidth(2, 140);
    StringGrid1.SetCell(1, 0, "Текст строки");
    StringGrid1.SetCell(2, 0, "Атрибут");
    StringGrid1.SetCell(1, 1, "ООО «Ромашка»");
    StringGrid1.SetCell(2, 1, "двойная ширина");
    Button3.SetCaption("Установить дату и время");
    Button2.SetCaption("Прочитать дату и время");
    Button4.SetCaption("Состояние регистратора");
    Button4.SetEnabled(false);
    Button1.SetCaption("Выход");
    Button1.SetCancel(true);
    Button1.SetModalResult(mrCancel);
    StatusBar1.SetSimpleText("   Модель:Kivrel LT-6,    Версия:3.01,     ЭККР.");

    MainMenu1.Add(N1);
    N1.Add(N2);
    N1.Add(N3);
    N1.Add(N4);
    for (TMenuItem* item : {&N5, &N6, &N7})
        MainMenu1.Add(*item);
    SetMenu(MainMenu1);
    SetStatusBar(StatusBar1);

    Column main(*this);
    Column clock = main.Group(GroupBox1);
    clock.Field("Дата (DDMMYY): ", Edit1).Field("Время (HHMM):", Edit2).Field("Пароль:", Edit3);
    clock.Field("Операция:", ComboBox1).Line({&CheckBox1, &Shape1});
    main.Group(GroupBox2).Add(Memo1).Add(StringGrid1);
    main.Line({&Button3, &Button2});
    main.Buttons({&Button4, &Button1});

    Button3.OnClick = [this] { Button3Click(); };
    OnActivate = [this] { FormActivate(); };
}

class SampleWindowTest : public FormsTest {};

// Counts the pixels of the picture whose colour is far from the background: text that was drawn
// as glyphs, not as empty boxes, leaves many of them in every caption's row.
int DarkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100) ++dark;
    return dark;
}

TEST_F(SampleWindowTest, RendersToPngWithReadableCyrillic) {
    TForm27 form;
    // One file per process: the same test runs at once in each of the tests' locales.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kaltor_sample_window-" + std::to_string(::getpid()) + ".png"))
                                 .string();
    ASSERT_TRUE(GrabToPng(form, path));
    QImage picture(QString::fromStdString(path));
    std::filesystem::remove(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 300);
    EXPECT_GT(picture.height(), 300);
    EXPECT_GE(picture.width(), form.MainMenu1.Bar()->sizeHint().width()); // the whole menu shows
    // A caption's glyphs: the label "Пароль:" drawn somewhere in the window.
    QLabel* caption = nullptr;
    for (auto* label : form.Widget()->findChildren<QLabel*>())
        if (label->text() == QString::fromUtf8("Пароль:")) caption = label;
    ASSERT_NE(caption, nullptr);
    const QRect area(caption->mapTo(form.Widget(), QPoint(0, 0)), caption->size());
    EXPECT_GT(DarkPixels(picture, area), 40);
}

TEST_F(SampleWindowTest, HandlersAreBoundAndCancelButtonEndsTheModalShow) {
    TForm27 form;
    host.OnModal("TForm27", [](TForm& f) {
        auto& window = static_cast<TForm27&>(f);
        EXPECT_EQ(window.Edit2.Text(), "0930");
        window.Button3.Click();
        window.Button1.Click();
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm27"}));
}

} // namespace
