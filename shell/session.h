#pragma once
// The values every window shares for the whole run, and the one way every dialog judges the
// answer to a command it sent.
//
// Usage in a dialog handler:
//     if (!CheckAnswer(GetDiagnosticInfo(DefaultPassword, nullptr),
//                      AnswerCheck().CodeEdit(&Edit8).Status(&Button8)))
//         return;
//     ... fill the controls from Session.CurrentAnswer->Field(n) ...
//     ShowMessage(SuccessMessage);
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "driver/answer_record.h"
#include "driver/decoder.h"

class TEdit;
class TControl;
class CommandSequence;

inline const std::string DefaultPassword = "736204";
inline const std::string& TimeoutMessage = NoAnswerMessage;
inline const std::string SuccessMessage = "Успешно!";

struct TSession {
    AnswerRecord* CurrentAnswer = nullptr; // the answer of the last command of any window
    std::string StartFolder;               // the current folder at the main window's first activation
    std::string IniFileName;               // StartFolder + "/fpinit.ini"
    std::string FirmwareVersion;           // from 80h at connect, or forced by UkrVersion
    std::string DeviceModel;               // answer field 1 of 80h at connect
    std::string PriorityLevel;             // [Priority] Level, compared with "high"
    std::string ElJournal;                 // [Priority] ElJournal, compared with "КСЕФ"
    int32_t UkrVersion = 0;                // [UkrVer] Version
    uint8_t StatusReady = 0;               // 1 once the register answered the diagnostic query
    uint8_t PqVariant = 0;                 // 1 when the model text contains "PQ"
    int32_t PaymentCount = 0;              // number of the register's payment types

    bool HighPriority() const { return PriorityLevel == "high"; }
};
extern TSession Session;

// Back to the state at program start (for tests).
void ResetSession();

// The number of payment types from answer field 11 of 80h: 10 when it is not a positive number.
int32_t PaymentCountFromField(const std::string& field11);

// The main window's status line for an 80h answer (model, version and the further text).
std::string StatusLineText(const AnswerRecord& answer);

// Stores the answer of a command just attempted as the shared current answer. Without a record (nothing
// sent) it points at the driver's one record, which a refusal has marked not sent, so that it is never
// null once a command was attempted.
void StoreAnswer(AnswerRecord* answer);

// The status queries' judgement: nullopt when good, else caption followed by the decoder's message
// (for no answer the time-out text). The same judgement as AnswerFailureMessage.
std::optional<std::string> DecodedFailure(const AnswerRecord* answer, const std::string& caption);

// How a dialog judges an answer, built with the setters:
//     AnswerCheck().Timeout("Таймаут устройства! Ошибка аннулирования!").CodeEdit(&Edit3).Status(&Button4)

struct AnswerCheck {
    std::string TimeoutText = TimeoutMessage; // no complete answer came
    std::string ErrorText;                    // a fixed text for an error code; empty: the decoded message
    std::string ErrorCaption;                 // put before the decoded message
    TEdit* ErrorCodeEdit = nullptr;           // the "Код ошибки:" edit, when the dialog has one
    TControl* StatusButton = nullptr;         // the status button, enabled once the register answered
    const int* RefusalResult = nullptr;       // the formatter's error result; negative: nothing was sent
    std::string Note;                         // put after any failure message (e.g. where a run stopped)
    CommandSequence* Sequence = nullptr;      // the sequence of commands this one belongs to
    std::string Step;                         // what this command does, named for the technician

    AnswerCheck& Timeout(std::string text) {
        TimeoutText = std::move(text);
        return *this;
    }
    AnswerCheck& Error(std::string text) {
        ErrorText = std::move(text);
        return *this;
    }
    AnswerCheck& Caption(std::string text) {
        ErrorCaption = std::move(text);
        return *this;
    }
    // The decoder's judgement behind a caption of the dialog's own, for no answer as for an error.
    AnswerCheck& Decoded(const std::string& caption) {
        TimeoutText = caption + TimeoutMessage;
        ErrorCaption = caption;
        return *this;
    }
    AnswerCheck& CodeEdit(TEdit* edit) {
        ErrorCodeEdit = edit;
        return *this;
    }
    AnswerCheck& Status(TControl* button) {
        StatusButton = button;
        return *this;
    }
    // Read when the answer is judged, so it may be given in the same call as the formatter.
    AnswerCheck& Refusal(const int* error) {
        RefusalResult = error;
        return *this;
    }
    bool Refused() const { return RefusalResult && *RefusalResult < 0; }
    AnswerCheck& After(std::string note) {
        Note = std::move(note);
        return *this;
    }
    // A command of a sequence (shell/command_sequence.h): a good answer is remembered there under
    // step; a failure message ends with the steps of the sequence the register took before.
    AnswerCheck& In(CommandSequence& sequence, std::string step) {
        Sequence = &sequence;
        Step = std::move(step);
        return *this;
    }
};

// The message for this answer; nullopt when it is good (an intact answer with error field "0000").
// Nothing sent (a refusal, or no record) comes first, then the exchange: no answer, NAK, bad checksum;
// the error field then is stale or untrustworthy and never read. A fixed ErrorText stands only for
// the register's own error codes; a failed exchange says what failed, behind ErrorCaption.
std::optional<std::string> AnswerFailureMessage(const AnswerRecord* answer, const AnswerCheck& check = {});

// The dialog pattern after a command: stores the answer (StoreAnswer), copies the error field into the
// error-code edit (emptied unless an intact answer came, so a stale "0000" never shows), enables the
// status button when an intact answer came, and shows the failure message in a message box (with what
// the sequence took before, for a command of a sequence). True when the answer is good.
bool CheckAnswer(AnswerRecord* answer, const AnswerCheck& check = {});
