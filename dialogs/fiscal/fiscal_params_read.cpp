// Reading the fiscal parameters into the programming window; the first failure ends the reading.
#include "dialogs/fiscal/fiscal_params.h"
#include "dialogs/fiscal/fiscal_values.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

namespace {

// The identification number as the register sends it, with up to two separators at its end.
std::string IdNumberOf(std::string field) {
    for (int cut = 0; cut < 2 && !field.empty() && field.back() == ';'; ++cut)
        field.pop_back();
    return !field.empty() && field.front() == ';' ? std::string() : field;
}

std::string TaxNumberOf(const std::string& field) {
    return !field.empty() && field.front() == ';' ? std::string() : field;
}

} // namespace

void TFiscalParamsForm::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit8.Text()}})) return;
    if (!FiscalReadingFormable(Edit8.Text())) return;
    if (!ReadNumbers()) return;
    for (int row = 0; row < 5; ++row)
        if (!ReadTax(row)) return;
    ShowMessage(SuccessMessage);
}

bool TFiscalParamsForm::ReadNumbers() {
    const std::string password = Edit8.Text();
    const AnswerRecord* answer = ReadFiscalValue(GetSerialNumber, "GetSerialNumber", password);
    if (!answer) return false;
    Edit2.SetText(answer->Field(1));
    if (!(answer = ReadFiscalValue(GetFiscalNumber, "GetFiscalNumber", password))) return false;
    Edit15.SetText(answer->Field(1));
    if (!(answer = ReadFiscalValue(GetTaxIdNumber, "GetTaxIdNumber", password))) return false;
    Edit3.SetText(IdNumberOf(answer->Field(1)));
    Edit1.SetText(TaxNumberOf(answer->Field(2)));
    return true;
}

// The kind reads as 0 when it is not a number; a linked group that is not a number ends the
// reading with the conversion error.
bool TFiscalParamsForm::ReadTax(int row) {
    const AnswerRecord* answer = ReadTaxRow(Edit8.Text(), row);
    if (!answer) return false;
    TaxRow tax = Row(row);
    tax.kind.SetItemIndex(StrToIntDef(answer->Field(1), 0));
    tax.rate.SetText(answer->Field(2));
    tax.name.SetText(answer->Field(3));
    if (tax.linked) {
        const int linked = StrToInt(answer->Field(4));
        tax.linked->SetItemIndex(linked == -1 ? row : linked);
    }
    return true;
}
