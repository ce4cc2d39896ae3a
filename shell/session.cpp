#include "shell/session.h"

#include "driver/decoder.h"
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

std::optional<std::string> DecodedFailure(const AnswerRecord* answer, const std::string& caption) {
    std::string message;
    if (DecodeAnswerError(message, answer)) return std::nullopt;
    return caption + message;
}

std::optional<std::string> AnswerFailureMessage(const AnswerRecord* answer, const AnswerCheck& check) {
    if (answer == nullptr || answer->NoAnswer()) return check.TimeoutText;
    if (AnswerCorrupted(*answer))
        return check.ErrorText.empty() ? check.ErrorCaption + CorruptedAnswerMessage : check.ErrorText;
    std::string decoded;
    if (DecodeAnswerError(decoded, answer)) return std::nullopt;
    if (!check.ErrorText.empty()) return check.ErrorText;
    return check.ErrorCaption + decoded;
}

bool CheckAnswer(AnswerRecord* answer, const AnswerCheck& check) {
    Session.CurrentAnswer = answer;
    const bool answered = answer != nullptr && !answer->NoAnswer();
    const bool whole = answered && !AnswerCorrupted(*answer);
    if (check.ErrorCodeEdit) check.ErrorCodeEdit->SetText(whole ? answer->ErrorField : "");
    if (check.StatusButton && answered) check.StatusButton->SetEnabled(true);
    const auto failure = AnswerFailureMessage(answer, check);
    if (failure) ShowMessage(*failure + check.Note);
    return !failure;
}
