#include "dialogs/setup/clock_dialog.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

TForm27* Form27 = nullptr;

std::string RegisterDate(const std::string& shownDate) {
    std::string date = shownDate;
    if (date.size() >= 6) date.erase(5, 1);
    if (date.size() >= 3) date.erase(2, 1);
    return date;
}

std::string ShownDate(const std::string& registerDate) {
    std::string date = registerDate;
    if (date.size() >= 2) date.insert(2, ".");
    if (date.size() >= 5) date.insert(5, ".");
    return date;
}

TForm27::TForm27() {
    SetCaption("Дата и время");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    DateEdit1.SetYearDigits(dyTwo);
    Edit3.SetText(DefaultPassword);
    Button3.SetCaption("Установить дату и время");
    Button2.SetCaption("Прочитать дату и время");
    Button4.SetCaption("Состояние регистратора");
    Button4.SetEnabled(false);
    Button1.SetCaption("Выход");
    Column main(*this);
    main.Field("Дата (DDMMYY): ", DateEdit1).Field("Время (HHMM):", Edit2).Field("Пароль:", Edit3);
    main.Line({&Button3, &Button2});
    main.Buttons({&Button4, &Button1});
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm27::FormActivate() {
    if (ActivatedAgain()) return;
    const TDateTime now = Now();
    DateEdit1.SetText(FormatDateTime("dd.mm.yy", now));
    Edit2.SetText(FormatDateTime("hhnn", now));
}

// The status button opens once a command has succeeded, and stays as it is after a failed one.
void TForm27::Button3Click() {
    if (!FieldsAccepted({{"Время (HHMM):", Edit2.Text()}, {"Пароль:", Edit3.Text()}})) return;
    AnswerRecord* answer = SetDateTime(Edit3.Text(), RegisterDate(DateEdit1.Text()), Edit2.Text(), nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Error("Ошибка установки времени!"))) return;
    Button4.SetEnabled(true);
    ShowMessage(SuccessMessage);
}

void TForm27::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    AnswerRecord* answer = GetDateTime(Edit3.Text(), 0, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Error("Ошибка чтения времени!"))) return;
    Button4.SetEnabled(true);
    DateEdit1.SetText(ShownDate(answer->Field(1)));
    Edit2.SetText(answer->Field(2));
    ShowMessage(SuccessMessage);
}

void TForm27::Button4Click() {
    ShowStatusViewer();
}

void TForm27::Button1Click() {
    Button4.SetEnabled(false);
    Close();
}
