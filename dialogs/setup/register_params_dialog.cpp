#include "dialogs/setup/register_params_dialog.h"

#include "dialogs/setup/hex_text.h"
#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/main_window_models.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"

TForm26* Form26 = nullptr;
TForm47* Form47 = nullptr;

namespace {
const std::string kFailureCaption = "Печать дневных отчетов:\n  ";
const std::string kKeepSpeed = "Не изменять";

void Tick(const std::vector<TCheckBox*>& boxes, bool ticked) {
    for (TCheckBox* box : boxes)
        box->SetChecked(ticked);
}

} // namespace

TForm26::TForm26() {
    SetCaption("Параметры регистратора");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    ComboBox2.SetStyle(csDropDownList);
    ComboBox2.Items().Assign(BaudRateTexts);
    ComboBox2.Items().Add(kKeepSpeed);
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().Assign({"По умолчанию (2)", "Светлая", "Нормальнаяl", "Темная", " Экстра-Темная"});
    const std::pair<TCheckBox*, const char*> captions[] = {
        {&CheckBox1, "Не печатать рекламу в конце чека"},
        {&CheckBox2, "Выключить обрезчик"},
        {&CheckBox3, "Печатать логотип пользователя"},
        {&CheckBox4, "Прогон бумаги под обрезку пустыми строками"},
        {&CheckBox5, "Не осуществлять прогон бумаги под линию отреза "},
        {&CheckBox6, "Всегда печатать количество товара"},
        {&CheckBox7, "Печатать количество позиций в чеке"},
        {&CheckBox8, "Печатать код товара"},
        {&CheckBox9, "Печатать количество-цену вместе"},
        {&CheckBox10, "Не обнулять базы продаж/товаров"},
        {&CheckBox19, "Отображать опер. продажи на дисплее"},
        {&CheckBox11, "Не печатать контрольную ленту для нефискализированного регистратора"},
        {&CheckBox12, "Печатать сокращенную контр. ленту "},
        {&CheckBox14, "Продолжить печать после восстановления принтера "},
        {&CheckBox16, "Мелкий шрифт в чековой ленте"},
        {&CheckBox17, "Мелкий шрифт в контрольной ленте"},
        {&CheckBox18, "Использовать бумагу шириной 57 мм"},
    };
    for (const auto& [box, caption] : captions)
        box->SetCaption(caption);
    GroupBox1.SetCaption("Параметры документа");
    GroupBox2.SetCaption("Расширенные параметры печати");
    for (TButton* button : {&Button1, &Button3})
        button->SetCaption("Очистить все");
    for (TButton* button : {&Button2, &Button4})
        button->SetCaption("Установить все");
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->SetMaxLength(2);
    Edit5.SetText(DefaultPassword);
    Edit8.SetReadOnly(true);
    Button7.SetCaption("Прочитать");
    Button6.SetCaption("Записать");
    Button8.SetCaption("Состояние регистратора");
    Button8.SetEnabled(false);
    Button5.SetCaption("Закрыть");
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button8.OnClick = [this] { Button8Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm26::LayOut() {
    Column main(*this);
    main.Field("Скорость обмена:", ComboBox2).Field("Контрастность печати:", ComboBox1);
    auto sides = main.Columns(2);
    Column document = sides[0].Group(GroupBox1);
    for (const Bit& bit : DocumentBits())
        document.Add(*bit.Box);
    document.Line({&Button1, &Button2});
    Column print = sides[1].Group(GroupBox2);
    for (const Bit& bit : PrintBits())
        print.Add(*bit.Box);
    print.Line({&Button3, &Button4});
    sides[1]
        .Field("Импульс открытия денежного ящика (Hex) :", Edit2)
        .Field("Импульс закрытия денежного ящика (Hex) :", Edit3)
        .Field("Количество символов в одной линии наименования товара:", Edit4)
        .Field("Пароль:", Edit5)
        .Field("Код ошибки:", Edit8)
        .Stretch();
    main.Line({&Button7, &Button6});
    main.Buttons({&Button8, &Button5});
}

std::vector<TForm26::Bit> TForm26::DocumentBits() {
    return {{0x0100, &CheckBox1}, {0x0200, &CheckBox2},  {0x0400, &CheckBox3}, {0x0800, &CheckBox4},
            {0x1000, &CheckBox5}, {0x2000, &CheckBox6},  {0x4000, &CheckBox7}, {0x8000, &CheckBox8},
            {0x0001, &CheckBox9}, {0x0002, &CheckBox10}, {0x0008, &CheckBox19}};
}

std::vector<TForm26::Bit> TForm26::PrintBits() {
    return {{0x01, &CheckBox11}, {0x02, &CheckBox12}, {0x08, &CheckBox14},
            {0x10, &CheckBox16}, {0x20, &CheckBox17}, {0x40, &CheckBox18}};
}

namespace {
std::vector<TCheckBox*> BoxesOf(const auto& bits) {
    std::vector<TCheckBox*> boxes;
    for (const auto& bit : bits)
        boxes.push_back(bit.Box);
    return boxes;
}

int MaskOf(const auto& bits) {
    int mask = 0;
    for (const auto& bit : bits)
        if (bit.Box->Checked()) mask |= bit.Mask;
    return mask;
}

void ShowMask(const auto& bits, int mask) {
    for (const auto& bit : bits)
        bit.Box->SetChecked((mask & bit.Mask) != 0);
}

} // namespace

void TForm26::FormActivate() {
    if (ActivatedAgain()) return;
    ComboBox1.SetItemIndex(0);
    Button8.SetEnabled(false);
    Edit8.Clear();
}

void TForm26::Button1Click() {
    Tick(BoxesOf(DocumentBits()), false);
}
void TForm26::Button2Click() {
    Tick(BoxesOf(DocumentBits()), true);
}
void TForm26::Button3Click() {
    Tick(BoxesOf(PrintBits()), false);
}
void TForm26::Button4Click() {
    Tick(BoxesOf(PrintBits()), true);
}

void TForm26::Button7Click() {
    if (!FieldsAccepted({{"Пароль:", Edit5.Text()}})) return;
    AnswerRecord* answer = GetRegistratorParams(Edit5.Text(), nullptr);
    Button8.SetEnabled(true);
    if (!CheckAnswer(answer, AnswerCheck().Decoded(kFailureCaption).CodeEdit(&Edit8))) return;
    if (auto index = BaudRateIndex(answer->Field(1))) ComboBox2.SetItemIndex(*index);
    ComboBox1.SetItemIndex(StrToInt(answer->Field(2)));
    ShowMask(DocumentBits(), LeadingHex(answer->Field(3), false));
    ShowMask(PrintBits(), LeadingHex(answer->Field(4), false));
    Edit2.SetText(answer->Field(5));
    Edit3.SetText(answer->Field(6));
    Edit4.SetText(answer->Field(7));
    ShowMessage(SuccessMessage);
}

void TForm26::Button6Click() {
    if (!FieldsAccepted({{"Пароль:", Edit5.Text()}})) return;
    const bool keepSpeed = ComboBox2.Text() == kKeepSpeed;
    const int speed = keepSpeed ? 0 : StrToInt(ComboBox2.Text());
    const int characters = StrToInt(Edit4.Text());
    AnswerRecord* answer = SetRegistratorParams(
        Edit5.Text(), speed, ComboBox1.ItemIndex(), MaskOf(DocumentBits()), MaskOf(PrintBits()),
        LeadingHex(Edit2.Text()), LeadingHex(Edit3.Text()), characters, nullptr);
    Button8.SetEnabled(true);
    if (!CheckAnswer(answer, AnswerCheck().Decoded(kFailureCaption).CodeEdit(&Edit8))) return;
    if (keepSpeed) {
        ShowMessage(SuccessMessage);
        return;
    }
    MoveLinkTo(ComboBox2.Text());
}

// The register now talks at the new rate: the main window, the settings file and the link follow.
// A port that does not open again is named, and the main window shows its disconnected state, so
// that it never shows a connection that is not there; commands here are then not sent.
void TForm26::MoveLinkTo(const std::string& rate) {
    Form1->SelectSpeed(rate);
    WriteSetting(settings::Speed, rate);
    CloseLink();
    ShowMessage(SuccessMessage);
    Form1->ReopenLink();
}

void TForm26::Button8Click() {
    ShowStatusViewer();
}

void TForm26::Button5Click() {
    Close();
}

TForm47::TForm47() {
    SetCaption("Переключение ширины ленты");
    SetPosition(poScreenCenter);
    RadioGroup1.SetCaption("Ширина бумагт");
    RadioGroup1.Items().Assign({"Широкая лента", "Узкая лента"});
    RadioGroup1.SetItemIndex(0);
    Button2.SetCaption("Установить ширину");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Add(RadioGroup1);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

// The block for wide or narrow paper, sent as it stands; the answer is kept for the status viewer.
void TForm47::Button2Click() {
    const char* block =
        RadioGroup1.ItemIndex() == 1 ? ";115200;0;0000;60;0A;FF;29;" : ";115200;0;0000;20;0A;FF;34;";
    Session.CurrentAnswer = SendCommand(0x27, DefaultPassword + block);
}

void TForm47::Button1Click() {
    Close();
}
