#include "dialogs/fiscal/fiscal_values.h"

#include "dialogs/fiscal/fiscal_params.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"

const AnswerRecord* ReadFiscalValue(NumberQuery query, const std::string& name, const std::string& password) {
    int error = 0;
    AnswerRecord* answer = query(password, &error);
    const AnswerCheck check = AnswerCheck()
                                  .Timeout("Таймаут устройства! " + name + " Ошибка!")
                                  .Error("Ошибка " + name + "!")
                                  .Refusal(&error);
    return CheckAnswer(answer, check) ? answer : nullptr;
}

const AnswerRecord* ReadTaxRow(const std::string& password, int row) {
    int error = 0;
    AnswerRecord* answer = GetTaxes(password, row, &error);
    const std::string caption = TaxRowCaption(row);
    return CheckAnswer(answer,
                       AnswerCheck().Timeout(caption + TimeoutMessage).Caption(caption).Refusal(&error))
               ? answer
               : nullptr;
}

bool FiscalReadingFormable(const std::string& password) {
    return CommandSequence().Formable([&] {
        for (NumberQuery query : {GetSerialNumber, GetFiscalNumber, GetTaxIdNumber})
            query(password, nullptr);
        for (int row = 0; row < 5; ++row)
            GetTaxes(password, row, nullptr);
    });
}
