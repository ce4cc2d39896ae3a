#include "dialogs/fiscal/report_steps.h"

#include "dialogs/fiscal/daily_reports.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

void MarkReportDone(TButton& status) {
    status.SetEnabled(true);
    Session.StatusReady = 1;
}

void PrintDailyReportStep(int type, const ReportControls& controls) {
    if (!FieldsAccepted({{"Пароль:", controls.Password.Text()}})) return;
    controls.Status.SetEnabled(true);
    if (type == drZ) Session.StatusReady = 1;
    controls.ErrorCode.Clear();
    if (!CheckAnswer(PrintDailyReport(controls.Password.Text(), type, nullptr),
                     AnswerCheck().Decoded("Печать дневных отчетов:\n  ").CodeEdit(&controls.ErrorCode)))
        return;
    MarkReportDone(controls.Status);
}

void CloseReportDialog(TForm& form, const ReportControls& controls) {
    controls.ErrorCode.Clear();
    controls.Status.SetEnabled(false);
    Session.StatusReady = 1;
    form.Close();
}

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
        printout.ErrorCode.Clear();
    }
    const AnswerCheck wrapping =
        AnswerCheck().Decoded(printout.WrappingCaption).CodeEdit(&printout.ErrorCode);
    if (!CheckAnswer(OpenNonFiscalReceipt(DefaultPassword, nullptr),
                     AnswerCheck(wrapping).In(sequence, "открытие чека")))
        return;
    const bool printed = CheckAnswer(printout.Print(), AnswerCheck()
                                                           .Decoded(printout.PrintCaption)
                                                           .CodeEdit(&printout.ErrorCode)
                                                           .In(sequence, printout.Step));
    if (!printed && !printout.ClosedAfterFailure) return;
    CheckAnswer(CloseNonFiscalReceipt(DefaultPassword, nullptr),
                AnswerCheck(wrapping).In(sequence, "закрытие чека"));
}
