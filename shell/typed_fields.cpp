#include "shell/typed_fields.h"

#include "platform/forms/dialogs.h"

std::string FieldName(const std::string& caption) {
    std::string name;
    for (const char c : caption) {
        const bool space = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (space) {
            if (!name.empty() && name.back() != ' ') name += ' ';
        } else {
            name += c;
        }
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == ':'))
        name.pop_back();
    return name;
}

std::string FieldSeparatorMessage(const std::string& caption) {
    return "Поле \"" + FieldName(caption) +
           "\" содержит недопустимый символ \";\"!\nВ регистратор ничего не отправлено.";
}

bool FieldsAccepted(const std::vector<TypedField>& fields) {
    for (const TypedField& field : fields) {
        if (field.Text.find(';') == std::string::npos) continue;
        ShowMessage(FieldSeparatorMessage(field.Caption));
        return false;
    }
    return true;
}
