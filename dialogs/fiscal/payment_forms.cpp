#include "dialogs/fiscal/payment_forms.h"

#include "driver/driver.h"
#include "shell/typed_fields.h"

TForm34* Form34 = nullptr;

namespace {
const char* const kHeaders[] = {"Номер", "Название", "Продажа", "Возврат", "Сдача наличными"};
// Wide enough for "Разрешено" and "Сдача наличными" in the window font.
const int kColumnWidths[] = {60, 174, 90, 90, 130};
const int kPermissionBits[] = {PaymentForSale, PaymentForRefund, PaymentGivesChange};

std::string PermissionText(int mask, int bit) {
    return (mask & bit) != 0 ? "Разрешено" : "Запрещено";
}

// A mask field of exactly two hexadecimal digits (upper case, as the register sends them).
int MaskOfField(const std::string& field) {
    if (field.empty() || field.size() > 2 || field.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        throw EConvertError("'" + field + "' is not a valid integer value");
    return StrToInt("$" + field);
}
} // namespace

int PaymentPermissionMask(bool sale, bool refund, bool change) {
    return (sale ? PaymentForSale : 0) | (refund ? PaymentForRefund : 0) | (change ? PaymentGivesChange : 0);
}

TForm34::TForm34() {
    SetCaption("Параметры оплаты");
    SetPosition(poScreenCenter);
    StringGrid1.SetColCount(5);
    StringGrid1.SetRowCount(11);
    for (int col = 0; col < 5; ++col) {
        StringGrid1.SetColWidth(col, kColumnWidths[col]);
        StringGrid1.SetCell(col, 0, kHeaders[col]);
    }
    Button3.SetCaption("Прочитать");
    GroupBox1.SetCaption("Добавить форму оплаты");
    CheckBox1.SetCaption("Разрешение использования при продаже");
    CheckBox2.SetCaption("Разрешение использования при возврате");
    CheckBox3.SetCaption("Разрешение начисления сдачи наличными");
    Button2.SetCaption("Добавить");
    Button2.SetEnabled(false);
    Button1.SetCaption("Выход");
    LayOut();
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit2.OnChange = [this] { Edit2Change(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm34::LayOut() {
    Column main(*this);
    StringGrid1.SetWidth(570);
    StringGrid1.SetHeight(290); // ten payment forms without scrolling
    main.Add(StringGrid1);
    main.Line({&Button3});
    Column box = main.Group(GroupBox1);
    box.Field("Номер:", Edit2).Field("Наименование:", Edit1);
    box.Add(CheckBox1).Add(CheckBox2).Add(CheckBox3);
    box.Buttons({&Button2});
    main.Buttons({&Button1});
}

void TForm34::FormActivate() {
    if (ActivatedAgain()) return;
    if (read_) return;
    ResetGrid();
    Edit1.Clear();
    Edit2.Clear();
    for (TCheckBox* box : {&CheckBox1, &CheckBox2, &CheckBox3})
        box->SetChecked(false);
}

void TForm34::ResetGrid() {
    StringGrid1.SetRowCount(PaymentCount + 1);
    for (int i = 0; i < PaymentCount; ++i) {
        StringGrid1.SetCell(0, i + 1, IntToStr(i));
        for (int col = 1; col < 5; ++col)
            StringGrid1.SetCell(col, i + 1, "");
    }
}

void TForm34::Button3Click() {
    read_ = true;
    for (int i = 0; i < PaymentCount; ++i)
        for (int col = 1; col < 5; ++col)
            StringGrid1.SetCell(col, i + 1, "");
    try {
        for (int i = 0; i < PaymentCount; ++i)
            if (!ReadPaymentForm(i)) return;
    } catch (const EConvertError&) {
        ShowMessage("Некорректные числовые данные... Ошибка.");
    }
}

// One row of the grid; false (after the message) when the register did not give it.
bool TForm34::ReadPaymentForm(int number) {
    int refused = 0;
    AnswerRecord* answer = GetPaymentParams(DefaultPassword, number, &refused);
    if (refused < 0) answer = nullptr;
    if (!CheckAnswer(answer, AnswerCheck{}
                                 .Timeout("Чтение форм оплаты:\n  " + TimeoutMessage)
                                 .Caption("Чтение форм оплаты:\n  ")))
        return false;
    const int mask = MaskOfField(answer->Field(1));
    const int row = number + 1;
    StringGrid1.SetCell(1, row, answer->Field(2));
    for (int i = 0; i < 3; ++i)
        StringGrid1.SetCell(2 + i, row, PermissionText(mask, kPermissionBits[i]));
    return true;
}

void TForm34::Button2Click() {
    if (!FieldsAccepted({{"Наименование:", Edit1.Text()}})) return;
    const int mask = PaymentPermissionMask(CheckBox1.Checked(), CheckBox2.Checked(), CheckBox3.Checked());
    const int number = StrToInt(Edit2.Text());
    int refused = 0;
    AnswerRecord* answer = SetPaymentParams(DefaultPassword, number, mask, Edit1.Text(), &refused);
    if (refused < 0) answer = nullptr;
    if (CheckAnswer(answer, AnswerCheck{}
                                .Timeout("Добавление формы оплаты:\n  " + TimeoutMessage)
                                .Caption("Добавление формы оплаты:\n  ")))
        ShowMessage(SuccessMessage);
}

void TForm34::Button1Click() {
    Close();
}

void TForm34::Edit1Change() {
    Button2.SetEnabled(!Edit1.Text().empty() && !Edit2.Text().empty());
}

void TForm34::Edit2Change() {
    Edit1Change();
}
