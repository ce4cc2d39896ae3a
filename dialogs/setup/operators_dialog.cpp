#include "dialogs/setup/operators_dialog.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm12* Form12 = nullptr;
TForm13* Form13 = nullptr;

TForm12::TForm12() {
    SetCaption("Параметры операторов");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biMinimize);
    SetPosition(poScreenCenter);
    Edit4.SetText(DefaultPassword);
    GroupBox1.SetCaption("Установить параметры оператора");
    Edit2.SetMaxLength(20);
    Edit1.SetText(DefaultPassword);
    Edit1.SetMaxLength(6);
    Button1.SetCaption("Установить");
    GroupBox2.SetCaption("Прочитать параметры оператора");
    Edit3.SetMaxLength(20);
    CheckBox1.SetCaption("Выполнялись продажи");
    CheckBox1.SetEnabled(false);
    Button3.SetCaption("Прочитать");
    Button4.SetCaption("Удалить оператора");
    Button4.SetHint("Если номер оператора \"-1\", то удаляются все опреаторы.");
    Button2.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Номер оператора:", Edit5).Field("Пароль:", Edit4);
    main.Group(GroupBox1).Field("Имя:", Edit2).Field("Пароль оператора:", Edit1).Buttons({&Button1});
    main.Group(GroupBox2).Field("Имя:", Edit3).Add(CheckBox1).Buttons({&Button3});
    main.Buttons({&Button4, &Button2});
    Button1.OnClick = [this] { Button1Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button2.OnClick = [this] { Button2Click(); };
}

std::optional<int> TForm12::OperatorNumber() {
    try {
        return StrToInt(Edit5.Text());
    } catch (const EConvertError&) {
        ShowMessage("Ошибка! Номер оператора неверный.");
        return std::nullopt;
    }
}

bool TForm12::Succeeded(AnswerRecord* answer, int number) {
    const std::string caption = "Оператор " + std::to_string(number) + " \n  ";
    if (!CheckAnswer(answer, AnswerCheck().Decoded(caption))) return false;
    ShowMessage(SuccessMessage);
    return true;
}

void TForm12::Button1Click() {
    if (!FieldsAccepted(
            {{"Пароль:", Edit4.Text()}, {"Имя:", Edit2.Text()}, {"Пароль оператора:", Edit1.Text()}}))
        return;
    const auto number = OperatorNumber();
    if (!number) return;
    Succeeded(SetOperatorParams(Edit4.Text(), *number, Edit1.Text(), Edit2.Text(), nullptr), *number);
}

void TForm12::Button3Click() {
    if (!FieldsAccepted({{"Пароль:", Edit4.Text()}})) return;
    const auto number = OperatorNumber();
    if (!number) return;
    AnswerRecord* answer = GetOperatorParams(Edit4.Text(), *number, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Оператор " + std::to_string(*number) + " \n  "))) return;
    Edit3.SetText(answer->Field(2));
    CheckBox1.SetChecked(answer->Field(1) == "1");
    ShowMessage(SuccessMessage);
}

void TForm12::Button4Click() {
    if (!FieldsAccepted({{"Пароль:", Edit4.Text()}})) return;
    const auto number = OperatorNumber();
    if (!number) return;
    Succeeded(ClearOpetratorPsw(Edit4.Text(), *number, nullptr), *number);
}

void TForm12::Button2Click() {
    Close();
}

TForm13::TForm13() {
    SetCaption("Пароли");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    for (TEdit* edit : {&Edit5, &Edit2, &Edit3, &Edit4}) {
        edit->SetText(DefaultPassword);
        edit->SetMaxLength(6);
    }
    Edit4.SetPasswordChar('*');
    GroupBox1.SetCaption("Пароли режимов");
    Button1.SetCaption("Выполнить");
    Button3.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Пароль администратора:", Edit5);
    main.Group(GroupBox1)
        .Field("Новый пароль программирования:", Edit2)
        .Field("Новый пароль отчетов:", Edit3)
        .Field("Новый пароль администратора:", Edit4);
    main.Buttons({&Button1, &Button3});
    Button1.OnClick = [this] { Button1Click(); };
    Button3.OnClick = [this] { Button3Click(); };
}

void TForm13::Button1Click() {
    if (!FieldsAccepted({{"Пароль администратора:", Edit5.Text()},
                         {"Новый пароль программирования:", Edit2.Text()},
                         {"Новый пароль отчетов:", Edit3.Text()},
                         {"Новый пароль администратора:", Edit4.Text()}}))
        return;
    AnswerRecord* answer = SetModePsw(Edit5.Text(), Edit2.Text(), Edit3.Text(), Edit4.Text(), nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Ошибка установки паролей: \n  "))) return;
    ShowMessage(SuccessMessage);
}

void TForm13::Button3Click() {
    Close();
}
