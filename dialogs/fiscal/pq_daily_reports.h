#pragma once
// Daily reports of the PQ-3 variant: X and Z reports, unloading and clearing the control tape, and
// optionally clearing the article base.
#include "platform/forms/forms.h"

class TForm48 : public TForm {
public:
    TForm48();

    TEdit Edit1;         // password
    TEdit Edit3;         // error field of the last answer
    TButton Button2;     // "X-отчет"
    TButton Button3;     // "Z-отчет"
    TButton Button4;     // "Состояние регистратора"
    TPanel Panel1;       // holds the unload button and its check box
    TButton Button6;     // "Выгрузка и обнуления контрольной ленты"
    TCheckBox CheckBox1; // "Обнулить базу товаров"
    TButton Button1;     // "Закрыть"

    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    void Button1Click();
};

// Whether the register unloads its control tape: the unload button is shown then.
bool UnloadsControlTape(const std::string& firmware, bool highPriority);

extern TForm48* Form48;
