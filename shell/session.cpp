#include "shell/session.h"

#include "shell/command_sequence.h"

#include "driver/decoder.h"
#include "driver/link.h"
#include "platform/forms/controls.h"
#include "platform/forms/dialogs.h"
#include "platform/text/text.h"

TSession Session;

void ResetSession() {
    Session = TSession{};
}

int32_t PaymentCountFromField(const std::string& field11) {
    const int count = StrToIntDef(field11, 0);
    // A count below one would leave the fiscal receipt without a single payment type.
    return count > 0 ? count : 10;
}

std::string StatusLineText(const AnswerRecord& answer) {
    return "   Модель:" + answer.Field(1) + ",    Версия:" + answer.Field(2) + ",     " + answer.Field(3) +
           ".";
}

void StoreAnswer(AnswerRecord* answer) {
    if (!answer) {
        answer = &TheAnswer();
        answer->MarkNotSent();
    }
    Session.CurrentAnswer = answer;
}

std::optional<std::string> DecodedFailure(const AnswerRecord* answer, const std::string& caption) {
    return AnswerFailureMessage(answer, AnswerCheck().Timeout(caption + TimeoutMessage).Caption(caption));
}

std::optional<std::string> AnswerFailureMessage(const AnswerRecord* answer, const AnswerCheck& check) {
    if (answer == nullptr || answer->NotSent() || check.Refused()) return NotSentMessage;
    if (answer->NoAnswer()) return check.TimeoutText;
    std::string decoded;
    if (DecodeAnswerError(decoded, answer)) return std::nullopt;
    if (!check.ErrorText.empty() && answer->Answered()) return check.ErrorText;
    return check.ErrorCaption + decoded;
}

bool CheckAnswer(AnswerRecord* answer, const AnswerCheck& check) {
    StoreAnswer(answer);
    const bool answered = answer != nullptr && !check.Refused() && answer->Answered();
    if (check.ErrorCodeEdit) check.ErrorCodeEdit->SetText(answered ? answer->ErrorField : "");
    if (check.StatusButton && answered) check.StatusButton->SetEnabled(true);
    const auto failure = AnswerFailureMessage(answer, check);
    if (failure) {
        ShowMessage(*failure + check.Note + (check.Sequence ? check.Sequence->TakenNote() : ""));
        return false;
    }
    if (check.Sequence) check.Sequence->Taken(check.Step);
    return true;
}
