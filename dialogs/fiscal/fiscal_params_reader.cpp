#include "dialogs/fiscal/fiscal_params_reader.h"

#include "dialogs/fiscal/fiscal_params.h"
#include "dialogs/fiscal/fiscal_values.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm17* Form17 = nullptr;

TForm17::TForm17() {
    SetCaption("Чтение фискальных параметров");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    TComboBox* kinds[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5};
    TEdit* names[] = {&Edit6, &Edit7, &Edit8, &Edit9, &Edit14};
    for (int row = 0; row < 5; ++row) {
        kinds[row]->SetStyle(csDropDownList);
        kinds[row]->Items().Assign(
            {"Налог запрещен", "Вложенный", "Наложенный", "Группа не облагаемая налогом"});
        names[row]->SetMaxLength(19);
        rowLabels_[row].SetCaption("Налог " + TaxLetter(row) + ":");
    }
    kindHeading_.SetCaption("Тип налога");
    rateHeading_.SetCaption("Ставка налога");
    nameHeading_.SetCaption("Наименование");
    Edit5.SetText(DefaultPassword);
    Button3.SetCaption("Прочитать");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Заводской номер:", Edit10)
        .Field("Фискальный код предприятия:", Edit11)
        .Field("Регистрационный номер ККМ:", Edit12);
    main.Grid(4, {nullptr,        &kindHeading_, &rateHeading_,  &nameHeading_, &rowLabels_[0], &ComboBox1,
                  &Edit1,         &Edit6,        &rowLabels_[1], &ComboBox2,    &Edit2,         &Edit7,
                  &rowLabels_[2], &ComboBox3,    &Edit3,         &Edit8,        &rowLabels_[3], &ComboBox4,
                  &Edit4,         &Edit9,        &rowLabels_[4], &ComboBox5,    &Edit13,        &Edit14});
    main.Field("Пароль:", Edit5);
    main.Buttons({&Button3, &Button1});
    Button3.OnClick = [this] { Button3Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm17::Button3Click() {
    if (!FieldsAccepted({{"Пароль:", Edit5.Text()}})) return;
    if (!FiscalReadingFormable(Edit5.Text())) return;
    if (!ReadNumbers()) return;
    for (int row = 0; row < 5; ++row)
        if (!ReadTax(row)) return;
    ShowMessage(SuccessMessage);
}

// Only field 1 of 46h is read, as it comes; a lone ";" stands for no number.
bool TForm17::ReadNumbers() {
    const std::string password = Edit5.Text();
    const AnswerRecord* answer = ReadFiscalValue(GetSerialNumber, "GetSerialNumber", password);
    if (!answer) return false;
    Edit10.SetText(answer->Field(1));
    if (!(answer = ReadFiscalValue(GetFiscalNumber, "GetFiscalNumber", password))) return false;
    Edit11.SetText(answer->Field(1));
    if (!(answer = ReadFiscalValue(GetTaxIdNumber, "GetTaxIdNumber", password))) return false;
    Edit12.SetText(answer->Field(1) == ";" ? std::string() : answer->Field(1));
    return true;
}

bool TForm17::ReadTax(int row) {
    const AnswerRecord* answer = ReadTaxRow(Edit5.Text(), row);
    if (!answer) return false;
    TComboBox* kinds[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5};
    TEdit* rates[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit13};
    TEdit* names[] = {&Edit6, &Edit7, &Edit8, &Edit9, &Edit14};
    kinds[row]->SetItemIndex(StrToIntDef(answer->Field(1), 0));
    rates[row]->SetText(answer->Field(2));
    names[row]->SetText(answer->Field(3));
    return true;
}

void TForm17::Button1Click() {
    Close();
}
