#include "shell/free_resources.h"

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

namespace {
const std::string kCaption = "Информация о свободных ресурсах и статусе";
}

TForm10::TForm10() {
    SetCaption(kCaption);
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Button1.SetCaption("Сделать отчет");
    Edit8.SetReadOnly(true);
    Button4.SetCaption("Состояние регистратора");
    Button2.SetCaption("Закрыть");
    CheckBox1.SetCaption("Разрешение фискализации");
    CheckBox2.SetCaption("Разрешение записи заводского номера ");
    CheckBox3.SetCaption("Разрешение записи фискального номера ");
    CheckBox4.SetCaption("Разрешение записи налогового номера");
    CheckBox5.SetCaption("Разрешение записи комплекта налоговых ставок");
    CheckBox6.SetCaption("Разрешение записи пароля доступа к ФП");
    // Display only: the panel cannot be operated.
    Panel1.SetDisplayOnly(true); // the results take no input, yet stay readable
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm10::LayOut() {
    Column main(*this);
    main.Field("Пароль:", Edit1).Line({&Button1});
    Column results = main.Panel(Panel1);
    for (TCheckBox* box : {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6})
        results.Add(*box);
    results.Field("Количество аварийных обнулений:", Edit2)
        .Field("Свободно фискальных отчетов:", Edit3)
        .Field("Дата открытия смены:", Edit4)
        .Field("Время открытия смены:", Edit5)
        .Field("Свободно записей в базе товаров:", Edit6)
        .Field("Свободно чеков:", Edit7);
    main.Field("Код ошибки:", Edit8);
    main.Buttons({&Button4, &Button2});
}

void TForm10::FormActivate() {
    if (ActivatedAgain()) return;
    Edit8.Clear();
    Button4.SetEnabled(false);
}

// The status button is enabled before sending, so that the status of a failed command can be seen.
void TForm10::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    Button4.SetEnabled(true);
    Edit8.Clear();
    int refused = 0;
    AnswerRecord* answer = GetFreeResources(Edit1.Text(), &refused);
    // A password too long for a frame is not sent; the record then is an earlier command's.
    const bool good = CheckAnswer(answer, AnswerCheck{}
                                              .Timeout(kCaption + ":\n  " + TimeoutMessage)
                                              .Caption(kCaption + ":\n  ")
                                              .CodeEdit(&Edit8)
                                              .Refusal(&refused));
    if (!good) return;
    ShowResources(*answer);
    ShowMessage(kCaption + " - Успешно!");
}

// Permission boxes are ticked only for a field that reads exactly the integer 1.
void TForm10::ShowResources(const AnswerRecord& answer) {
    TCheckBox* boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6};
    for (int i = 0; i < 6; ++i)
        boxes[i]->SetChecked(StrToIntDef(answer.Field(i + 1), 0) == 1);
    TEdit* edits[] = {&Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7};
    for (int i = 0; i < 6; ++i)
        edits[i]->SetText(answer.Field(i + 7));
}

void TForm10::Button4Click() {
    ShowStatusViewer();
}

void TForm10::Button2Click() {
    Button4.SetEnabled(false);
    Close();
}
