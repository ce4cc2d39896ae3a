#pragma once
// The steps the daily-report windows share: an X or Z report and closing the window.
#include "platform/forms/forms.h"

// The controls of a daily-report window that its steps use.
struct ReportControls {
    TEdit& Password;
    TEdit& ErrorCode;
    TButton& Status;
};

// The register answered the report: the status button is enabled and the register counts as ready.
void MarkReportDone(TButton& status);

// An X or Z report. A Z report counts the register as ready before it is sent, an X report once
// it succeeded.
void PrintDailyReportStep(int type, const ReportControls& controls);

// Clears the error code, disables the status button, counts the register as ready and closes.
void CloseReportDialog(TForm& form, const ReportControls& controls);
