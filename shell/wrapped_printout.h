#pragma once
// A printout of one command (a report, a receipt copy) inside a non-fiscal receipt opened and closed
// with the default password: the fiscal report windows and the maintenance reminder's report.
#include <functional>
#include <string>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

struct WrappedPrintout {
    std::function<AnswerRecord*()> Print{}; // the printout's one command
    std::string Step{};                     // what it is, named for the technician: "отчет"
    std::string WrappingCaption{};          // before the reason of a failed opening or closing
    std::string PrintCaption{};             // before the reason of a failed printout
    TEdit* ErrorCode = nullptr;             // the window's error-code field, when it has one
    TButton* Status = nullptr;       // when given, enabled (and the error code cleared) before sending
    bool ClosedAfterFailure = false; // a failed printout still closes the receipt
};

// Forms the three commands first, then sends them in order; a failed opening ends it. Every failure
// says what the register took before.
void PrintInsideReceipt(const WrappedPrintout& printout);
