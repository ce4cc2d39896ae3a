#include "dialogs/setup/decimal_point_dialog.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

TForm32* Form32 = nullptr;
TForm50* Form50 = nullptr;

namespace {
const std::string kPointCaption = "Позиция десятичной точки:\n  ";
const std::string kIdCaption = "Значение ID_DEV (Hex):";
} // namespace

TForm32::TForm32() {
    SetCaption("Позиция десятичной точки (\"гривны-копейки\")");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biMinimize);
    SetPosition(poScreenCenter);
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().Assign({"0", "1", "2", "3"});
    Edit1.SetText(DefaultPassword);
    Edit3.SetReadOnly(true);
    Button3.SetCaption("Прочитать");
    Button2.SetCaption("Установить");
    Button4.SetCaption("Состояние регистратора");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Позиция десятичной точки:", ComboBox1).Field("Пароль:", Edit1).Field("Код ошибки:", Edit3);
    main.Line({&Button3, &Button2});
    main.Buttons({&Button4, &Button1});
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm32::FormActivate() {
    if (ActivatedAgain()) return;
    ComboBox1.SetItemIndex(2);
}

void TForm32::Button3Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    AnswerRecord* answer = GetDecimalPoint(Edit1.Text(), nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded(kPointCaption).CodeEdit(&Edit3))) return;
    ComboBox1.SetItemIndex(StrToInt(answer->Field(1)));
}

void TForm32::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    AnswerRecord* answer = SetDecimalPoint(Edit1.Text(), ComboBox1.ItemIndex(), nullptr);
    CheckAnswer(answer, AnswerCheck().Decoded(kPointCaption).CodeEdit(&Edit3));
}

void TForm32::Button4Click() {
    ShowStatusViewer();
}

void TForm32::Button1Click() {
    Close();
}

TForm50::TForm50() {
    SetCaption("Установить и прочитать ID_DEV");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    Edit6.SetText(DefaultPassword);
    Label3.SetCaption(kIdCaption);
    Button1.SetCaption("Прочитать ID_DEV");
    Button2.SetCaption("Установить ID_DEV");
    Button3.SetCaption("Выход");
    Column main(*this);
    main.Field("Пароль:", Edit6).Field("Значение ID_DEV:", Edit1).Add(Label3);
    main.Line({&Button1, &Button2});
    main.Buttons({&Button3});
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
}

// A refused read shows the error field itself, not its meaning.
void TForm50::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}})) return;
    AnswerRecord* answer = SendCommand(0x4C, Edit6.Text() + ";");
    const std::string refused = answer && answer->Answered() ? answer->ErrorField : "";
    const bool good = CheckAnswer(answer, AnswerCheck()
                                              .Timeout("Ошибка выполнения команды. Таймаут")
                                              .Error("Чтение ID_DEV, код ошибки:\n  " + refused));
    if (!good) return;
    Edit1.SetText(answer->Field(1));
    Label3.SetCaption(kIdCaption + " " + IntToHex(StrToInt(answer->Field(1)), 8));
    ShowMessage(SuccessMessage);
}

void TForm50::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit6.Text()}, {"Значение ID_DEV:", Edit1.Text()}})) return;
    if (Edit1.Text().empty()) {
        ShowMessage("Не введён ID_DEV. Ошибка!");
        return;
    }
    AnswerRecord* answer = SendCommand(0x4B, Edit6.Text() + ";" + Edit1.Text() + ";");
    const bool good = CheckAnswer(answer, AnswerCheck()
                                              .Timeout("Ошибка выполнения команды установка ID_DEV. Таймаут")
                                              .Caption("Проверка состояния регистратора:\n  "));
    if (good) ShowMessage(SuccessMessage);
}

void TForm50::Button3Click() {
    Close();
}
