#pragma once
// Additional daily reports: by departments, by operators, and the control tape.
#include "platform/forms/forms.h"

class TForm31 : public TForm {
public:
    TForm31();

    TComboBox ComboBox1; // report type, its index the command's type
    TEdit Edit1;         // password
    TEdit Edit3;         // error field of the last answer
    TButton Button2;     // "Отчет"
    TButton Button4;     // "Состояние регистратора"
    TButton Button1;     // "Закрыть"

    void FormActivate();
    void Button2Click();
    void Button4Click();
};

extern TForm31* Form31;
