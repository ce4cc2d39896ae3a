#include "dialogs/fiscal/report_steps.h"

#include "dialogs/fiscal/daily_reports.h"
#include "driver/driver.h"
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
