#include "shell/wrapped_printout.h"

#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"

void PrintInsideReceipt(const WrappedPrintout& printout) {
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            OpenNonFiscalReceipt(DefaultPassword, nullptr);
            printout.Print();
            CloseNonFiscalReceipt(DefaultPassword, nullptr);
        }))
        return;
    if (printout.Status) {
        printout.Status->SetEnabled(true);
        if (printout.ErrorCode) printout.ErrorCode->Clear();
    }
    const AnswerCheck wrapping = AnswerCheck().Decoded(printout.WrappingCaption).CodeEdit(printout.ErrorCode);
    if (!CheckAnswer(OpenNonFiscalReceipt(DefaultPassword, nullptr),
                     AnswerCheck(wrapping).In(sequence, "открытие чека")))
        return;
    const bool printed = CheckAnswer(printout.Print(), AnswerCheck()
                                                           .Decoded(printout.PrintCaption)
                                                           .CodeEdit(printout.ErrorCode)
                                                           .In(sequence, printout.Step));
    if (!printed && !printout.ClosedAfterFailure) return;
    CheckAnswer(CloseNonFiscalReceipt(DefaultPassword, nullptr),
                AnswerCheck(wrapping).In(sequence, "закрытие чека"));
}
