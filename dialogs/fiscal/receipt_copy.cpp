#include "dialogs/fiscal/receipt_copy.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/wrapped_printout.h"

TForm41* Form41 = nullptr;

TForm41::TForm41() {
    SetCaption("Копия чека");
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Edit2.SetText("1");
    Edit4.SetText("1");
    Edit3.SetEnabled(false);
    Edit3.SetReadOnly(true);
    Button2.SetCaption("Копия чека");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Пароль:", Edit1)
        .Field("Первый сквозной номер чека:", Edit2)
        .Field("Последний сквозной номер чека:", Edit4)
        .Field("Код ошибки:", Edit3);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Close(); };
}

// The register judges the range; the numbers go as typed. A refused copy leaves the receipt open.
void TForm41::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const int first = StrToInt(Edit2.Text());
    const int last = StrToInt(Edit4.Text());
    PrintInsideReceipt({[&] { return PrintReceiptCopyByNumber(Edit1.Text(), first, last, nullptr); }, "копия",
                        "Печать копии чека :\n  ", "Печать копии чека:\n  ", &Edit3});
}
