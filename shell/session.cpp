#include "shell/session.h"

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
