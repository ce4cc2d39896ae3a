// Programming the fiscal parameters: the parts chosen in the confirmation window, in a fixed
// order (taxes, fiscal number, identification and tax numbers), then the result window.
#include "dialogs/fiscal/fiscal_params.h"
#include "dialogs/fiscal/program_confirm.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

void TFiscalParamsForm::Button5Click() {
    if (!TypedFieldsAccepted()) return;
    Form22->ShowModal();
    if (Form22->Cancelled) return;
    Form36->TaxRatesResult = Form22->CheckBox4.Checked() ? ProgramTaxes() : -1;
    if (Form22->CheckBox2.Checked()) {
        if (!FiscalNumberLengthAccepted()) return;
        Form36->FiscalNumberResult = ProgramFiscalNumber();
    } else {
        Form36->FiscalNumberResult = -1;
    }
    if (Form22->CheckBox3.Checked()) {
        if (!TaxIdLengthsAccepted()) return;
        Form36->TaxIdResult = ProgramTaxIdNumbers();
    } else {
        Form36->TaxIdResult = -1;
    }
    Form36->ShowModal();
}

// Everything typed that programming may send, named as the window shows it.
bool TFiscalParamsForm::TypedFieldsAccepted() {
    std::vector<TypedField> fields = {{"Пароль:", Edit8.Text()},
                                      {"Регистрационный номер РРО:  (ІД)", Edit3.Text()},
                                      {"(ПН)", Edit1.Text()},
                                      {"Фискальный номер:", Edit15.Text()}};
    for (int row = 0; row < 5; ++row) {
        const TaxRow tax = Row(row);
        fields.push_back({"Налог " + TaxLetter(row) + ", ставка налога", tax.rate.Text()});
        fields.push_back({"Налог " + TaxLetter(row) + ", наименование", tax.name.Text()});
    }
    return FieldsAccepted(fields);
}

// 1 when all five taxes were taken, else 0; the first failure leaves the later taxes unsent. A row
// without a kind of tax is not sent: its index would go out as FFFFFFFF.
int TFiscalParamsForm::ProgramTaxes() {
    const std::string password = Edit8.Text();
    for (int row = 0; row < 5; ++row) {
        const TaxRow tax = Row(row);
        const int kind = tax.kind.ItemIndex();
        if (kind < 0) {
            ShowMessage(TaxRowCaption(row) + "Не выбран тип налога!");
            return 0;
        }
        int error = 0;
        AnswerRecord* answer = nullptr;
        if (tax.linked) {
            const int linked = tax.linked->ItemIndex() == row ? -1 : tax.linked->ItemIndex();
            answer = SetTaxes(password, row, kind, tax.rate.Text(), tax.name.Text(), linked, &error);
        } else {
            answer = SetTaxes(password, row, kind, tax.rate.Text(), tax.name.Text(), &error);
        }
        const std::string caption = TaxRowCaption(row);
        if (!CheckAnswer(answer,
                         AnswerCheck().Timeout(caption + TimeoutMessage).Caption(caption).Refusal(&error)))
            return 0;
    }
    return 1;
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

int TFiscalParamsForm::ProgramFiscalNumber() {
    int error = 0;
    AnswerRecord* answer = SetFiscalNumber(Edit8.Text(), Edit15.Text(), &error);
    return CheckAnswer(answer, AnswerCheck()
                                   .Timeout("Таймаут устройства! SetFiscalNumber Ошибка!")
                                   .Error("Ошибка SetFiscalNumber!")
                                   .Refusal(&error));
}

int TFiscalParamsForm::ProgramTaxIdNumbers() {
    int error = 0;
    AnswerRecord* answer = SetTaxIdNumber(Edit8.Text(), Edit3.Text(), Edit1.Text(), &error);
    return CheckAnswer(answer, AnswerCheck()
                                   .Timeout("Таймаут устройства! SetTaxIdNumber Ошибка!")
                                   .Error("Ошибка SetTaxIdNumber!")
                                   .Refusal(&error));
}
