#include "dialogs/fiscal/program_confirm.h"

#include <string>

TForm22* Form22 = nullptr;
TForm36* Form36 = nullptr;

TForm22::TForm22() {
    SetCaption("Подтверждение программирования");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    CheckBox2.SetCaption("Запрограммировать фискальный номер");
    CheckBox3.SetCaption("Запрограммировать идентификационный/налоговый номер РРО");
    CheckBox4.SetCaption("Запрограммировать налоги");
    Button1.SetCaption("Продолжить");
    Button2.SetCaption("Отменить");
    Button2.SetCancel(true);
    Column main(*this);
    main.Add(CheckBox2).Add(CheckBox3).Add(CheckBox4);
    main.Buttons({&Button1, &Button2});
    OnActivate = [this] { FormActivate(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
}

// Until "Продолжить" is pressed the programming counts as cancelled: the close box, Escape and
// "Отменить" send nothing, whatever an earlier showing chose.
void TForm22::FormActivate() {
    if (!ActivatedAgain()) Cancelled = 1;
}

void TForm22::Button1Click() {
    Cancelled = 0;
    Close();
}

void TForm22::Button2Click() {
    Cancelled = 1;
    Close();
}

namespace {
std::string ResultText(int32_t result, const char* notProgrammed) {
    if (result == 1) return "успешно.";
    if (result == 0) return "ошибка.";
    return notProgrammed;
}
} // namespace

TForm36::TForm36() {
    SetCaption("Результат операции");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    Button2.SetCaption("Продолжить");
    Column main(*this);
    main.Add(Label1).Add(Label2).Add(Label3);
    main.Buttons({&Button2});
    OnActivate = [this] { FormActivate(); };
    Button2.OnClick = [this] { Button2Click(); };
}

void TForm36::FormActivate() {
    Label1.SetCaption("Фискальный номер - " + ResultText(FiscalNumberResult, "не программировался."));
    Label2.SetCaption("Регистрационный номер - " + ResultText(TaxIdResult, "не программировался."));
    Label3.SetCaption("Ставки налогов - " + ResultText(TaxRatesResult, "не программировались."));
}

void TForm36::Button2Click() {
    Close();
}
