// Programming the fiscal parameters: the parts chosen in the confirmation window, in a fixed
// order (taxes, fiscal number, identification and tax numbers), then the result window. Everything
// the chosen parts send is checked and formed before the first command goes out.
#include "dialogs/fiscal/fiscal_params.h"
#include "dialogs/fiscal/program_confirm.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

void TFiscalParamsForm::Button5Click() {
    Form22->ShowModal();
    if (Form22->Cancelled) return;
    const Parts parts{Form22->CheckBox4.Checked(), Form22->CheckBox2.Checked(), Form22->CheckBox3.Checked()};
    if (!PartsAccepted(parts)) return;
    CommandSequence sequence;
    if (!sequence.Formable([&] { FormParts(parts); })) return;
    Form36->TaxRatesResult = parts.Taxes ? ProgramTaxes(sequence) : -1;
    Form36->FiscalNumberResult = parts.FiscalNumber ? ProgramFiscalNumber(sequence) : -1;
    Form36->TaxIdResult = parts.TaxIds ? ProgramTaxIdNumbers(sequence) : -1;
    Form36->ShowModal();
}

// Every check of what the chosen parts send, in their order; the first refusal says why.
bool TFiscalParamsForm::PartsAccepted(const Parts& parts) {
    if (!parts.Taxes && !parts.FiscalNumber && !parts.TaxIds) return true;
    if (!FieldsAccepted({{"Пароль:", Edit8.Text()}})) return false;
    if (parts.Taxes && !TaxesAccepted()) return false;
    if (parts.FiscalNumber &&
        (!FieldsAccepted({{"Фискальный номер:", Edit15.Text()}}) || !FiscalNumberLengthAccepted()))
        return false;
    if (parts.TaxIds &&
        (!FieldsAccepted({{"Регистрационный номер РРО:  (ІД)", Edit3.Text()}, {"(ПН)", Edit1.Text()}}) ||
         !TaxIdLengthsAccepted()))
        return false;
    return true;
}

// A row without a kind of tax is not sent: its index would go out as FFFFFFFF.
bool TFiscalParamsForm::TaxesAccepted() {
    std::vector<TypedField> fields;
    for (int row = 0; row < 5; ++row) {
        const TaxRow tax = Row(row);
        fields.push_back({"Налог " + TaxLetter(row) + ", ставка налога", tax.rate.Text()});
        fields.push_back({"Налог " + TaxLetter(row) + ", наименование", tax.name.Text()});
    }
    if (!FieldsAccepted(fields)) return false;
    for (int row = 0; row < 5; ++row) {
        if (Row(row).kind.ItemIndex() >= 0) continue;
        ShowMessage(TaxRowCaption(row) + "Не выбран тип налога!");
        return false;
    }
    return true;
}

bool TFiscalParamsForm::FiscalNumberLengthAccepted() {
    const size_t length = CharCount(Edit15.Text());
    if (!extended_ || length == 0 || length == 10) return true;
    ShowMessage("Неверная длина фискального номера, исправьте!");
    return false;
}

bool TFiscalParamsForm::TaxIdLengthsAccepted() {
    if (!extended_) return true;
    const size_t idLength = CharCount(Edit3.Text());
    if (idLength != 0 && idLength != 12) {
        ShowMessage("Неверный длина идентификационного номера, исправьте!");
        return false;
    }
    const size_t taxLength = CharCount(Edit1.Text());
    if (taxLength != 0 && taxLength != 12 && taxLength != 13) {
        ShowMessage("Неверный длина налогового номера, исправьте!");
        return false;
    }
    return true;
}

// The commands of the chosen parts, in the order they go out; formed only, under the sequence's check.
void TFiscalParamsForm::FormParts(const Parts& parts) {
    if (parts.Taxes)
        for (int row = 0; row < 5; ++row)
            SendTax(row, nullptr);
    if (parts.FiscalNumber) SendFiscalNumber(nullptr);
    if (parts.TaxIds) SendTaxIdNumbers(nullptr);
}

AnswerRecord* TFiscalParamsForm::SendTax(int row, int* error) {
    const TaxRow tax = Row(row);
    const int kind = tax.kind.ItemIndex();
    if (!tax.linked) return SetTaxes(Edit8.Text(), row, kind, tax.rate.Text(), tax.name.Text(), error);
    const int linked = tax.linked->ItemIndex() == row ? -1 : tax.linked->ItemIndex();
    return SetTaxes(Edit8.Text(), row, kind, tax.rate.Text(), tax.name.Text(), linked, error);
}

AnswerRecord* TFiscalParamsForm::SendFiscalNumber(int* error) {
    return SetFiscalNumber(Edit8.Text(), Edit15.Text(), error);
}

AnswerRecord* TFiscalParamsForm::SendTaxIdNumbers(int* error) {
    return SetTaxIdNumber(Edit8.Text(), Edit3.Text(), Edit1.Text(), error);
}

// 1 when all five taxes were taken, else 0; the first failure leaves the later taxes unsent.
int TFiscalParamsForm::ProgramTaxes(CommandSequence& sequence) {
    for (int row = 0; row < 5; ++row) {
        int error = 0;
        AnswerRecord* answer = SendTax(row, &error);
        const std::string caption = TaxRowCaption(row);
        if (!CheckAnswer(answer, AnswerCheck()
                                     .Timeout(caption + TimeoutMessage)
                                     .Caption(caption)
                                     .Refusal(&error)
                                     .In(sequence, "налог " + TaxLetter(row))))
            return 0;
    }
    return 1;
}

int TFiscalParamsForm::ProgramFiscalNumber(CommandSequence& sequence) {
    int error = 0;
    AnswerRecord* answer = SendFiscalNumber(&error);
    return CheckAnswer(answer, AnswerCheck()
                                   .Timeout("Таймаут устройства! SetFiscalNumber Ошибка!")
                                   .Error("Ошибка SetFiscalNumber!")
                                   .Refusal(&error)
                                   .In(sequence, "фискальный номер"));
}

int TFiscalParamsForm::ProgramTaxIdNumbers(CommandSequence& sequence) {
    int error = 0;
    AnswerRecord* answer = SendTaxIdNumbers(&error);
    return CheckAnswer(answer, AnswerCheck()
                                   .Timeout("Таймаут устройства! SetTaxIdNumber Ошибка!")
                                   .Error("Ошибка SetTaxIdNumber!")
                                   .Refusal(&error)
                                   .In(sequence, "идентификационный и налоговый номера"));
}
