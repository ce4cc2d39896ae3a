#include "dialogs/setup/network_dialogs.h"

#include "dialogs/setup/network_codes.h"
#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm42* Form42 = nullptr;
TForm49* Form49 = nullptr;

namespace {
const std::string kAddressHint = "Формат - адрес IP";

struct NetworkFields {
    TCheckBox* Dhcp;
    TEdit* Addresses[4];
    TEdit* Numbers[3];
};

// Fills the controls from the answer's fields in order; a field that does not decode stops there.
bool ShowSettings(const AnswerRecord& answer, const NetworkFields& to) {
    to.Dhcp->SetChecked(answer.Field(1) != "0");
    for (int i = 0; i < 4; ++i) {
        const auto address = DecodePackedAddress(answer.Field(2 + i));
        if (!address) return false;
        to.Addresses[i]->SetText(*address);
    }
    for (int i = 0; i < 3; ++i) {
        const auto number = DecodeSwappedWord(answer.Field(6 + i));
        if (!number) return false;
        to.Numbers[i]->SetText(std::to_string(*number));
    }
    return true;
}

// A number for the register, 0..65535; nothing (after the message) when it is out of range.
std::optional<std::string> WordOf(const TEdit& edit, const std::string& refusal) {
    const int value = DecimalStrToInt(edit.Text());
    if (value >= 0 && value <= 65535) return SwappedWord(value);
    ShowMessage(refusal);
    return std::nullopt;
}

std::optional<std::string> AddressOf(const TEdit& edit) {
    const auto packed = PackedAddress(edit.Text());
    if (!packed) ShowMessage(BadAddressMessage);
    return packed;
}

void LimitEdits(std::initializer_list<TEdit*> edits, int length, const std::string& hint) {
    for (TEdit* edit : edits) {
        edit->SetMaxLength(length);
        edit->SetHint(hint);
    }
}
} // namespace

TForm42::TForm42() {
    SetCaption("Параметры удаленного доступа");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    Edit6.SetText(DefaultPassword);
    CheckBox1.SetCaption("DHCP включен");
    CheckBox1.SetEnabled(false);
    LimitEdits({&Edit4, &Edit1, &Edit2, &Edit3}, 15, kAddressHint);
    LimitEdits({&Edit5}, 5, "Формат - число");
    LimitEdits({&Edit7}, 5, "В минутах, не более 1440");
    LimitEdits({&Edit8}, 5, "В секундах, не более 3600");
    for (TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit7, &Edit8, &Edit9})
        edit->SetReadOnly(true);
    Button1.SetCaption("Прочитать настройки сети");
    Button2.SetCaption("Установить настройки сети");
    Button3.SetCaption("Выход");
    Column main(*this);
    main.Field("Пароль:", Edit6)
        .Add(CheckBox1)
        .Field("Адрес сервера для удаленного доступа:", Edit4)
        .Field("Порт назначения для удаленного доступа:", Edit5)
        .Field("Статический IP адрес:", Edit1)
        .Field("Маска подсети:", Edit2)
        .Field("Адрес шлюза:", Edit3)
        .Field("Периодичность связи (мин.):", Edit7)
        .Field("Период повтора при неудачной попытке связи (сек.):", Edit8)
        .Field("Код ошибки:", Edit9);
    main.Line({&Button1, &Button2});
    main.Buttons({&Button3});
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    OnActivate = [this] { FormActivate(); };
}

// A password the read cannot carry is refused, on activation as on the button: the fields keep what
// they showed, and the next activation tries again.
bool TForm42::Read() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}})) return false;
    AnswerRecord* answer = SendCommand(0xD1, Edit6.Text() + ";");
    const AnswerCheck check =
        AnswerCheck().Timeout(NetworkTimeoutMessage).Caption("Проверка состояния удаленного доступа :\n  ");
    if (!CheckAnswer(answer, check)) return false;
    if (ShowSettings(*answer, {&CheckBox1, {&Edit1, &Edit2, &Edit3, &Edit4}, {&Edit5, &Edit7, &Edit8}}))
        return true;
    ShowMessage(BadFieldMessage);
    return false;
}

void TForm42::FormActivate() {
    if (!RemoteAccessLoaded && Read()) RemoteAccessLoaded = true;
}

void TForm42::Button1Click() {
    if (Read()) ShowMessage(SuccessMessage);
}

void TForm42::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}})) return;
    const auto address = AddressOf(Edit4);
    if (!address) return;
    const auto port = WordOf(Edit5, BadPortMessage);
    if (!port) return;
    AnswerRecord* answer = SendCommand(0xD0, Edit6.Text() + ";" + *address + ";" + *port + ";");
    const AnswerCheck check = AnswerCheck()
                                  .Timeout(NetworkTimeoutMessage)
                                  .Caption("Проверка состояния регистратора:\n  ")
                                  .CodeEdit(&Edit9);
    if (CheckAnswer(answer, check)) ShowMessage(SuccessMessage);
}

void TForm42::Button3Click() {
    Close();
}

TForm49::TForm49() {
    SetCaption("Параметры связи");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    Edit6.SetText(DefaultPassword);
    CheckBox1.SetCaption("DHCP включен");
    LimitEdits({&Edit1, &Edit2, &Edit3, &Edit4}, 15, kAddressHint);
    LimitEdits({&Edit5}, 5, "Формат - число");
    LimitEdits({&Edit7}, 5, "В минутах, не более 1440");
    LimitEdits({&Edit8}, 5, "В секундах, не более 3600");
    Button1.SetCaption("Прочитать настройки сети");
    Button2.SetCaption("Установить настройки сети");
    Button4.SetCaption("Загрузить из файла");
    Button3.SetCaption("Выход");
    OpenDialog1.SetTitle("Чтение параметров связи из файла");
    OpenDialog1.SetDefaultExt("TXT");
    OpenDialog1.SetFilter("Text files (*.txt)|*.TXT|All files (*.*)|*.*");
    Column main(*this);
    main.Field("Пароль:", Edit6)
        .Add(CheckBox1)
        .Field("Статический IP адрес:", Edit1)
        .Field("Маска подсети:", Edit2)
        .Field("Адрес шлюза:", Edit3)
        .Field("Адрес назначения:", Edit4)
        .Field("Порт назначения:", Edit5)
        .Field("Периодичность связи (мин.):", Edit7)
        .Field("Период повтора при неудачной попытке связи (сек.):", Edit8);
    main.Line({&Button1, &Button2, &Button4});
    main.Buttons({&Button3});
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm49::FormActivate() {
    if (LinkParamsPrimed) return;
    CheckBox1.SetChecked(false);
    for (TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5})
        edit->Clear();
    LinkParamsPrimed = true;
}

// The answer is judged before its fields are taken: an error answer may still carry fields.
void TForm49::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}})) return;
    LinkParamsPrimed = true;
    AnswerRecord* answer = SendCommand(0xFA, Edit6.Text() + ";");
    const AnswerCheck check =
        AnswerCheck().Timeout(NetworkTimeoutMessage).Caption("Проверка состояния регистратора:\n  ");
    if (!CheckAnswer(answer, check)) return;
    if (!ShowSettings(*answer, {&CheckBox1, {&Edit1, &Edit2, &Edit3, &Edit4}, {&Edit5, &Edit7, &Edit8}})) {
        ShowMessage(BadFieldMessage);
        return;
    }
    ShowMessage(SuccessMessage);
}

void TForm49::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}})) return;
    std::string data = CheckBox1.Checked() ? "1;" : "0;";
    for (TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit4}) {
        const auto address = AddressOf(*edit);
        if (!address) return;
        data += *address + ";";
    }
    const auto port = WordOf(Edit5, BadPortMessage);
    if (!port) return;
    const auto period = WordOf(Edit7, "Некорректная величина параметра Периодичность связи. Ошибка!");
    if (!period) return;
    const auto retry = WordOf(Edit8, "Некорректная величина параметра Повторной попытки. Ошибка!");
    if (!retry) return;
    data = Edit6.Text() + ";" + data + *port + ";" + *period + ";" + *retry + ";";
    AnswerRecord* answer = SendCommand(0xFB, data);
    const AnswerCheck check =
        AnswerCheck().Timeout(NetworkTimeoutMessage).Caption("Проверка состояния регистратора:\n  ");
    if (CheckAnswer(answer, check)) ShowMessage(SuccessMessage);
}

void TForm49::Button4Click() {
    if (!OpenDialog1.Execute()) {
        ShowMessage("Файл не выбран. Ошибка.");
        return;
    }
    std::string problem;
    const auto lines = ReadLinkParamsFile(OpenDialog1.FileName(), problem);
    if (!lines) {
        ShowMessage(problem);
        return;
    }
    CheckBox1.SetChecked((*lines)[0].empty() || (*lines)[0][0] != '0');
    TEdit* edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit7, &Edit8};
    for (int i = 0; i < 7; ++i)
        edits[i]->SetText((*lines)[i + 1]);
}

void TForm49::Button3Click() {
    Close();
}
