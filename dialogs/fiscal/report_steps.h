#pragma once
// The steps the report windows share: an X or Z report, closing the window, and a printout wrapped
// in a non-fiscal receipt.
#include <functional>
#include <string>

#include "driver/answer_record.h"
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

// A printout (a report, a receipt copy) inside a non-fiscal receipt opened and closed with the
// default password.
struct WrappedPrintout {
    std::function<AnswerRecord*()> Print; // the printout's one command
    std::string Step;                     // what it is, named for the technician: "отчет"
    std::string WrappingCaption;          // before the reason of a failed opening or closing
    std::string PrintCaption;             // before the reason of a failed printout
    TEdit& ErrorCode;
    TButton* Status = nullptr;       // when given, enabled (and the error code cleared) before sending
    bool ClosedAfterFailure = false; // a failed printout still closes the receipt
};

// Forms the three commands first, then sends them in order; a failed opening ends it. Every failure
// says what the register took before.
void PrintInsideReceipt(const WrappedPrintout& printout);
