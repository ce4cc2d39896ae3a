#pragma once
// Two single register values: the position of the decimal point in money amounts (TForm32) and the
// device identifier ID_DEV (TForm50).
#include "platform/forms/forms.h"

class TForm32 : public TForm {
public:
    TForm32();

    TComboBox ComboBox1; // position 0..3
    TEdit Edit1;         // password
    TEdit Edit3;         // error field
    TButton Button3, Button2, Button4, Button1;

    void FormActivate();
    void Button3Click();
    void Button2Click();
    void Button4Click();
    void Button1Click();
};

class TForm50 : public TForm {
public:
    TForm50();

    TEdit Edit6;   // password
    TEdit Edit1;   // ID_DEV
    TLabel Label3; // ID_DEV in hexadecimal
    TButton Button1, Button2, Button3;

    void Button1Click();
    void Button2Click();
    void Button3Click();
};

extern TForm32* Form32;
extern TForm50* Form50;
