#pragma once
// Texts a person types go into the fields of a command's data, which are joined with ";". A ";"
// inside a typed text would split it into two fields, and the register would take the first part
// for the whole. Handlers ask here first and send nothing when a text is refused.
//
//     if (!FieldsAccepted({{"Пароль:", Edit8.Text()}, {"Фискальный номер:", Edit15.Text()}})) return;
#include <string>
#include <vector>

struct TypedField {
    std::string Caption; // the field's label as the window shows it
    std::string Text;
};

// The field's name in a message: its label on one line, without the colon ("Номер \nналоговой
// \nгруппы:" -> "Номер налоговой группы").
std::string FieldName(const std::string& caption);

// The message for a field whose text holds a ";", naming the field by its label.
std::string FieldSeparatorMessage(const std::string& caption);

// True when no text holds a ";"; else shows the message for the first such field and returns false.
bool FieldsAccepted(const std::vector<TypedField>& fields);
