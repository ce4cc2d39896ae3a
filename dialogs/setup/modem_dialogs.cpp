#include "dialogs/setup/modem_dialogs.h"

#include "dialogs/setup/hex_text.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm44* Form44 = nullptr;
TForm51* Form51 = nullptr;
TForm53* Form53 = nullptr;

namespace {
const std::string kModemError = "Состояние модема. Ошибка!";

void Insert(std::string& text, size_t position, const char* what) {
    text.insert(std::min(position, text.size()), what);
}

void ReadOnly(std::initializer_list<TEdit*> edits) {
    for (TEdit* edit : edits)
        edit->SetReadOnly(true);
}
} // namespace

std::string ModemDateTime(const std::string& text) {
    std::string shown = text;
    Insert(shown, 8, ":");
    Insert(shown, 6, " ");
    Insert(shown, 4, "-");
    Insert(shown, 2, "-");
    return shown;
}

TForm51::TForm51() {
    SetCaption("Состояние модема");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biMinimize);
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Отчет состояния модема");
    const std::pair<TCheckBox*, const char*> boxes[] = {
        {&CheckBox9, "МБ_SAM неисправен"},
        {&CheckBox10, "Карта памяти неисправна"},
        {&CheckBox12, "Блокировка по неотправке док. 72 час"},
        {&CheckBox11, "ID_DEV установлен"},
        {&CheckBox13, "Техническая регистрация выполнена"},
        {&CheckBox14, "ЭККР персонализирован"},
        {&CheckBox15, "Кабель Ethernet подключен"},
        {&CheckBox16, "Есть данные для отправки"},
    };
    for (const auto& [box, caption] : boxes)
        box->SetCaption(caption);
    ReadOnly({&Edit32, &Edit35, &Edit36, &Edit37, &Edit7});
    CheckBox8.SetCaption("Печатать");
    Button28.SetCaption("Получить отчет");
    Edit3.SetText(DefaultPassword);
    Edit7.SetText("0000");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    Column report = main.Group(GroupBox1);
    for (const auto& [box, caption] : boxes)
        report.Add(*box);
    report.Field("Дата формирования  первого \r\nнедоставленного документа:", Edit32)
        .Field("Время формирования  первого \r\nнедоставленного документа:", Edit35)
        .Field("Дата персонализации:", Edit36)
        .Field("Время персонализации:", Edit37)
        .Line({&CheckBox8, &Button28})
        .Field("Пароль:", Edit3)
        .Field("Код ошибки:", Edit7);
    main.Buttons({&Button1});
    Button28.OnClick = [this] { Button28Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm51::Button28Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    AnswerRecord* answer = SendCommand(0xEA, Edit3.Text() + (CheckBox8.Checked() ? ";1;" : ";0;"));
    if (!CheckAnswer(answer, AnswerCheck().Error(kModemError).CodeEdit(&Edit7))) return;
    Edit32.SetText(answer->Field(2));
    Edit35.SetText(answer->Field(3));
    Edit36.SetText(answer->Field(4));
    Edit37.SetText(answer->Field(5));
    // The state byte's two characters as the register sends them; another character counts as 0.
    const std::string field = answer->Field(1);
    const int high = LeadingHex(field.substr(0, 1), false),
              low = LeadingHex(field.substr(std::min<size_t>(1, field.size()), 1), false);
    const int state = high * 16 + low;
    TCheckBox* bits[] = {&CheckBox9,  &CheckBox10, &CheckBox12, &CheckBox11,
                         &CheckBox13, &CheckBox14, &CheckBox15, &CheckBox16};
    for (int bit = 0; bit < 8; ++bit)
        bits[bit]->SetChecked((state >> bit) & 1);
}

void TForm51::Button1Click() {
    Close();
}

TForm44::TForm44() {
    SetCaption("Состояние модема для ");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Отчет состояния модема");
    ReadOnly({&Edit32, &Edit35, &Edit36, &Edit37, &Edit1});
    Button2.SetCaption("Получить отчет");
    Edit3.SetText(DefaultPassword);
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Group(GroupBox1)
        .Field("Номер (ID_DEV) модема:", Edit32)
        .Field("Дата персонализации::", Edit35)
        .Field("Ожидаемое время \r\nистечения 72 часов:", Edit36)
        .Field("Время первого не переданного \r\nчека в модеме:", Edit37)
        .Field("Количество чеков не \r\nпереданных модему:", Edit1)
        .Buttons({&Button2})
        .Field("Пароль:", Edit3);
    main.Buttons({&Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

// The report is shown whatever the register answered; when no intact answer came (or nothing was
// sent) there is nothing to show, so the previous report stays under the failure message.
void TForm44::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    AnswerRecord* answer = SendCommand(0xEA, Edit3.Text() + ";");
    if (!answer->Answered()) {
        CheckAnswer(answer);
        return;
    }
    StoreAnswer(answer);
    Edit32.SetText(answer->Field(1));
    Edit35.SetText(ModemDateTime(answer->Field(2)));
    Edit36.SetText(ModemDateTime(answer->Field(3)));
    Edit37.SetText(ModemDateTime(answer->Field(4)));
    Edit1.SetText(answer->Field(5));
}

void TForm44::Button1Click() {
    Close();
}

TForm53::TForm53() {
    SetCaption("Последний успешный сеанс связи с эквайером");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    Edit1.SetEnabled(false);
    Edit2.SetEnabled(false);
    Edit3.SetText(DefaultPassword);
    Edit7.SetText("0000");
    Edit7.SetReadOnly(true);
    Button2.SetCaption("Выполнить");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Дата:", Edit1).Field("Время:", Edit2).Field("Пароль:", Edit3).Field("Код ошибки:", Edit7);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm53::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    Edit1.Clear();
    Edit2.Clear();
    AnswerRecord* answer = SendCommand(0xFC, Edit3.Text() + ";");
    if (answer->Answered()) {
        Edit1.SetText(answer->Field(1));
        Edit2.SetText(answer->Field(2));
    }
    CheckAnswer(answer, AnswerCheck().Error(kModemError).CodeEdit(&Edit7));
}

void TForm53::Button1Click() {
    Close();
}
