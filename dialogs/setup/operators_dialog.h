#pragma once
// The register's users: one cashier's number, name and password (TForm12), and the passwords of
// the register's modes (TForm13).
#include <optional>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm12 : public TForm {
public:
    TForm12();

    TEdit Edit5;         // operator number
    TEdit Edit4;         // access password
    TGroupBox GroupBox1; // "Установить параметры оператора"
    TEdit Edit2, Edit1;  // name, operator password
    TButton Button1;
    TGroupBox GroupBox2; // "Прочитать параметры оператора"
    TEdit Edit3;         // name read
    TCheckBox CheckBox1; // "Выполнялись продажи"
    TButton Button3;
    TButton Button4, Button2;

    void Button1Click();
    void Button3Click();
    void Button4Click();
    void Button2Click();

private:
    std::optional<int> OperatorNumber();
    bool Succeeded(AnswerRecord* answer, int number);
};

class TForm13 : public TForm {
public:
    TForm13();

    TEdit Edit5;         // "Пароль администратора:"
    TGroupBox GroupBox1; // "Пароли режимов"
    TEdit Edit2, Edit3, Edit4;
    TButton Button1, Button3;

    void Button1Click();
    void Button3Click();
};

extern TForm12* Form12;
extern TForm13* Form13;
