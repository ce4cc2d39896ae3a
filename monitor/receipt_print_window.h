#pragma once
// Printing generated fiscal receipts: collects the limits of the receipts and closes. Nothing sends
// these values.
#include "platform/forms/forms.h"

class TForm29 : public TForm {
public:
    TForm29();

    TEdit Edit1, Edit2;   // positions in a receipt: minimum, maximum
    TEdit Edit3, Edit4;   // price: minimum, maximum
    TEdit Edit5, Edit6;   // quantity: minimum, maximum
    TEdit Edit7;          // number of receipts, 0 without limit
    TEdit Edit8, Edit9;   // programming and sale passwords
    TEdit Edit10;         // operator number
    TEdit Edit11, Edit12; // tax group, goods group
    TEdit Edit13;         // payment type
    TButton Button1;      // "Выполнить"
    TButton Button2;      // "Закрыть"
    bool Started = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
};

extern TForm29* Form29;
