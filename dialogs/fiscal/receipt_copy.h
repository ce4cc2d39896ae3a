#pragma once
// Receipt copy: the register prints copies of receipts by number inside a non-fiscal receipt.
#include "platform/forms/forms.h"

class TForm41 : public TForm {
public:
    TForm41();

    TEdit Edit1;     // password of the copy command
    TEdit Edit2;     // first receipt number
    TEdit Edit4;     // last receipt number
    TEdit Edit3;     // error field of the last answer
    TButton Button2; // "Копия чека"
    TButton Button1; // "Закрыть"

    void Button2Click();
};

extern TForm41* Form41;
