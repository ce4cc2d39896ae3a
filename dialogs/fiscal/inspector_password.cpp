#include "dialogs/fiscal/inspector_password.h"

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm16* Form16 = nullptr;

TForm16::TForm16() {
    SetCaption("Изменение пароля налогового инспектора");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Button2.SetCaption("Новый пароль");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Заводской номер ККМ:", Edit4)
        .Field("Старый пароль налогового инспектора:", Edit3)
        .Field("Новый пароль:", Edit1)
        .Field("Повторить новый пароль:", Edit2);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

// A mistyped new password would lock the inspector out of a fiscal register, so the repeat must match.
void TForm16::Button2Click() {
    if (!FieldsAccepted({{"Заводской номер ККМ:", Edit4.Text()},
                         {"Старый пароль налогового инспектора:", Edit3.Text()},
                         {"Новый пароль:", Edit1.Text()}}))
        return;
    if (Edit2.Text() != Edit1.Text()) {
        ShowMessage("Новый пароль и его повтор не совпадают!");
        return;
    }
    int error = 0;
    AnswerRecord* answer = Fiscalize(Edit3.Text(), Edit4.Text(), Edit1.Text(), &error);
    if (!CheckAnswer(answer, AnswerCheck()
                                 .Timeout("Таймаут устройства! Ошибка!")
                                 .Caption("Пароль налогового инспектора не изменен:\n  ")
                                 .Refusal(&error)))
        return;
    ShowMessage("ККМ фискализирован!!!");
}

void TForm16::Button1Click() {
    Close();
}
