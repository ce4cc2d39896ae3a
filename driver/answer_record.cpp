#include "driver/answer_record.h"

const std::string& AnswerRecord::Field(int n) const {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(AnswerFieldSlots)) return empty;
    return Fields[n - 1];
}
