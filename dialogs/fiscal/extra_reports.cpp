#include "dialogs/fiscal/extra_reports.h"

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"
#include "shell/wrapped_printout.h"

TForm31* Form31 = nullptr;

TForm31::TForm31() {
    SetCaption("Печать дополнительных дневных отчетов");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biMinimize);
    SetPosition(poScreenCenter);
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().Assign({"Отчет по отделам", "Отчет по операторам", "Вывести контрольную ленту"});
    Edit1.SetText(DefaultPassword);
    Edit3.SetReadOnly(true);
    Button2.SetCaption("Отчет");
    Button4.SetCaption("Состояние регистратора");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Тип отчета:", ComboBox1).Field("Пароль:", Edit1).Field("Код ошибки:", Edit3);
    main.Buttons({&Button2, &Button4, &Button1});
    OnActivate = [this] { FormActivate(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Close(); };
}

void TForm31::FormActivate() {
    if (ActivatedAgain()) return;
    ComboBox1.SetItemIndex(0);
}

// The wrapping receipt is opened and closed with the default password whatever the edit holds.
void TForm31::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    PrintInsideReceipt(
        {[this] { return PrintExtraDailyReport(Edit1.Text(), ComboBox1.ItemIndex(), 0, 0, nullptr); },
         "отчет", "Печать дополнительных дневных отчетов :\n  ", "Печать дополнительных дневных отчетов:\n  ",
         &Edit3});
}

void TForm31::Button4Click() {
    Form5->ShowModal();
}
