#include "platform/forms/typing_limit.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class LengthValidator : public QValidator {
public:
    LengthValidator(QLineEdit& edit, int maxLength) : QValidator(&edit), edit_(edit), maxLength_(maxLength) {}

    // A longer text set by the program may still be shortened by the user.
    State validate(QString& input, int&) const override {
        const auto length = input.toUcs4().size();
        return length <= maxLength_ || length < edit_.text().toUcs4().size() ? Acceptable : Invalid;
    }

private:
    QLineEdit& edit_;
    qsizetype maxLength_;
};

} // namespace

void LimitTyping(QLineEdit& edit, int maxLength) {
    const QValidator* old = edit.validator();
    edit.setValidator(maxLength > 0 ? new LengthValidator(edit, maxLength) : nullptr);
    delete old;
}
