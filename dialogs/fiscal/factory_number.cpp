#include "dialogs/fiscal/factory_number.h"

#include <cstdio>

#include "driver/driver.h"
#include "platform/clock/clock.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm15* Form15 = nullptr;

namespace {
std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}
} // namespace

TForm15::TForm15() {
    SetCaption("Установить заводской номер");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Button3.SetCaption("Установить дату и время");
    Label6.SetCaption("Подождите пока ККМ перезагрузиться, затем продолжайте");
    Label6.SetFontColor(clRed);
    Label6.SetFontBold(true);
    Label6.SetWordWrap(true);
    Label6.Hide();
    Edit4.SetMaxLength(11);
    Edit3.SetText(DefaultPassword);
    Button2.SetCaption("Установить");
    Button1.SetCaption("Закрыть");
    StatusBar1.SetSimplePanel(true);
    StatusBar1.SetSimpleText("Установка текущего времени и заводского номера");
    Column main(*this);
    main.Field("Дата (DDMMYY): ", Edit1).Field("Время (HHMM):", Edit2);
    main.Line({&Button3});
    main.Add(Label6);
    main.Field("Заводской номер:", Edit4).Field("Пароль:", Edit3);
    main.Buttons({&Button2, &Button1});
    SetStatusBar(StatusBar1);
    OnActivate = [this] { FormActivate(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm15::FormActivate() {
    if (ActivatedAgain()) return;
    const LocalDateTime now = LocalNow();
    Edit1.SetText(TwoDigits(now.Day) + TwoDigits(now.Month) + TwoDigits(now.Year));
    Edit2.SetText(TwoDigits(now.Hour) + TwoDigits(now.Minute));
}

// The restart's answer is neither stored nor judged: the register goes quiet while it restarts. Both
// commands are formed before the clock is set, so that the restart cannot be the one left out.
void TForm15::Button3Click() {
    if (!FieldsAccepted(
            {{"Дата (DDMMYY): ", Edit1.Text()}, {"Время (HHMM):", Edit2.Text()}, {"Пароль:", Edit3.Text()}}))
        return;
    if (!CommandSequence().Formable([this] {
            SetDateTime(Edit3.Text(), Edit1.Text(), Edit2.Text(), nullptr);
            RestartRegistrator(Edit3.Text(), nullptr);
        }))
        return;
    int error = 0;
    AnswerRecord* answer = SetDateTime(Edit3.Text(), Edit1.Text(), Edit2.Text(), &error);
    if (!CheckAnswer(answer, AnswerCheck()
                                 .Timeout("Таймаут устройства! Ошибка!")
                                 .Error("Ошибка установки времени!")
                                 .Refusal(&error)))
        return;
    RestartRegistrator(Edit3.Text(), &error);
    Label6.Show();
}

void TForm15::Button2Click() {
    Label6.Hide();
    if (!FieldsAccepted({{"Заводской номер:", Edit4.Text()}, {"Пароль:", Edit3.Text()}})) return;
    if (CharCount(Edit4.Text()) < 7) {
        ShowMessage("Неверное количество символов в номере! \n Заводской номер не установлен!");
        return;
    }
    int error = 0;
    AnswerRecord* answer = SetSerialNumber(Edit3.Text(), Edit4.Text(), &error);
    if (!CheckAnswer(answer, AnswerCheck()
                                 .Timeout("Таймаут устройства! Ошибка!")
                                 .Error("Заводской номер не установлен!")
                                 .Refusal(&error)))
        return;
    ShowMessage("Успешно. Заводской номер установлен!");
}

void TForm15::Button1Click() {
    Close();
}
