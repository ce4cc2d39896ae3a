#pragma once
// Programming goods and selling them in one fiscal receipt at once: collects the parameters, checks
// them and closes. Nothing sends these values.
#include "platform/forms/forms.h"

class TForm30 : public TForm {
public:
    TForm30();

    TEdit Edit1, Edit2, Edit7; // first code, last code, step
    TEdit Edit3;               // name prefix
    TEdit Edit4;               // price
    TEdit Edit5, Edit6;        // tax group, goods group
    TEdit Edit10, Edit11;      // programming and sale passwords
    TEdit Edit12;              // operator number
    TEdit Edit13, Edit14;      // payment sum, payment type
    TCheckBox CheckBox1;       // "не программировать товары"
    TCheckBox CheckBox2;       // "не продавать товары"
    TCheckBox CheckBox3;       // "один и тот же товар (первый товар)"
    TButton Button1, Button2, Button3;
    bool Started = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    void LayOut();
};

extern TForm30* Form30;
