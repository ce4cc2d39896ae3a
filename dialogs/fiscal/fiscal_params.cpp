#include "dialogs/fiscal/fiscal_params.h"

#include "shell/session.h"
#include "shell/settings.h"

TForm18* Form18 = nullptr;
TForm37* Form37 = nullptr;

namespace {
const char* const kLetters[] = {"А", "Б", "В", "Г", "Д"};
const char* const kDefaultRates[] = {"20.00", "0.00", "0.00", "0.00", "0.00"};
const char* const kDefaultNames[] = {"ПДВ_А", "ПДВ_Б", "ПДВ_В", "ПДВ_Г", "ПДВ_Д"};
const int kDefaultKinds[] = {1, 1, 0, 0, 0};
} // namespace

std::string TaxLetter(int row) {
    return kLetters[row];
}

std::string TaxRowCaption(int row) {
    return "Налог " + TaxLetter(row) + ":\n  ";
}

TFiscalParamsForm::TFiscalParamsForm(bool extended) : extended_(extended) {
    SetCaption("Программирование фискальных параметров");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Edit8.SetText(DefaultPassword);
    Edit2.SetReadOnly(true);
    Edit3.SetMaxLength(12);
    Edit3.SetHint("Идентификационный номер");
    Edit1.SetMaxLength(12);
    Edit1.SetHint("Налоговый номер");
    if (extended) Edit15.SetMaxLength(10);
    std::vector<std::string> kinds = {"Налог запрещен", "Вложенный", "Наложенный",
                                      "Группа не облагаемая налогом"};
    if (extended)
        kinds.insert(kinds.end(),
                     {"Вложенный 2", "Наложенный 2", "Налог 2  Вложенный +", "Налог 2  Наложенный +"});
    for (int row = 0; row < 5; ++row) {
        TaxRow tax = Row(row);
        tax.kind.SetStyle(csDropDownList);
        tax.kind.Items().Assign(kinds);
        tax.rate.SetText(kDefaultRates[row]);
        tax.name.SetText(kDefaultNames[row]);
        tax.name.SetMaxLength(19);
        rowLabels_[row].SetCaption("Налог " + TaxLetter(row) + ":");
    }
    kindHeading_.SetCaption("Тип налога");
    rateHeading_.SetCaption("Ставка налога");
    nameHeading_.SetCaption("Наименование");
    linkedHeading_.SetCaption("Связанная налоговая  группа");
    Button1.SetCaption("Прочитать");
    Button5.SetCaption("Запрограммировать");
    Button4.SetCaption("Закрыть");
    OnActivate = [this] { FormActivate(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button4.OnClick = [this] { Button4Click(); };
}

TFiscalParamsForm::TaxRow TFiscalParamsForm::Row(int row) {
    TComboBox* kinds[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5};
    TEdit* rates[] = {&Edit4, &Edit5, &Edit6, &Edit7, &Edit13};
    TEdit* names[] = {&Edit9, &Edit10, &Edit11, &Edit12, &Edit14};
    return {*kinds[row], *rates[row], *names[row], linked_[row]};
}

void TFiscalParamsForm::LayOut() {
    Column main(*this);
    main.Field("Пароль:", Edit8)
        .Field("Заводской номер регистратора:", Edit2)
        .Field("Регистрационный номер РРО:  (ІД)", Edit3)
        .Field("(ПН)", Edit1)
        .Field("Фискальный номер:", Edit15);
    if (extended_) {
        main.Grid(5, {nullptr,        &kindHeading_, &rateHeading_, &nameHeading_, &linkedHeading_,
                      &rowLabels_[0], &ComboBox1,    &Edit4,        &Edit9,        linked_[0],
                      &rowLabels_[1], &ComboBox2,    &Edit5,        &Edit10,       linked_[1],
                      &rowLabels_[2], &ComboBox3,    &Edit6,        &Edit11,       linked_[2],
                      &rowLabels_[3], &ComboBox4,    &Edit7,        &Edit12,       linked_[3],
                      &rowLabels_[4], &ComboBox5,    &Edit13,       &Edit14,       linked_[4]});
    } else {
        main.Grid(4,
                  {nullptr,        &kindHeading_, &rateHeading_,  &nameHeading_, &rowLabels_[0], &ComboBox1,
                   &Edit4,         &Edit9,        &rowLabels_[1], &ComboBox2,    &Edit5,         &Edit10,
                   &rowLabels_[2], &ComboBox3,    &Edit6,         &Edit11,       &rowLabels_[3], &ComboBox4,
                   &Edit7,         &Edit12,       &rowLabels_[4], &ComboBox5,    &Edit13,        &Edit14});
    }
    main.Buttons({&Button1, &Button5, &Button4});
}

// The kinds and linked groups start at their defaults when the window opens; coming back from the
// confirmation or the result window keeps the rows shown, which are what gets programmed.
void TFiscalParamsForm::FormActivate() {
    if (!ActivatedAgain()) {
        for (int row = 0; row < 5; ++row) {
            TaxRow tax = Row(row);
            tax.kind.SetItemIndex(kDefaultKinds[row]);
            if (tax.linked) tax.linked->SetItemIndex(row);
        }
    }
    CountryCode = ReadSetting(settings::CountryCode);
    if (CountryCode > 2) CountryCode = 0;
    if (CountryCode == 2) Edit3.Hide();
}

void TFiscalParamsForm::Button4Click() {
    Close();
}

TForm18::TForm18() : TFiscalParamsForm(false) {
    LayOut();
}

TForm37::TForm37() : TFiscalParamsForm(true) {
    linked_ = {&ComboBox6, &ComboBox7, &ComboBox8, &ComboBox9, &ComboBox10};
    for (int row = 0; row < 5; ++row) {
        linked_[row]->SetStyle(csDropDownList);
        for (int other = 0; other < 5; ++other)
            linked_[row]->Items().Add(other == row ? "Отсутствует" : "Налог " + TaxLetter(other));
    }
    LayOut();
}
