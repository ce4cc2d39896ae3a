#pragma once
// Factory number: gives a new register its clock (then restarts it) and its factory number.
#include "platform/forms/forms.h"

class TForm15 : public TForm {
public:
    TForm15();
    TEdit Edit1; // date DDMMYY
    TEdit Edit2; // time HHMM
    TButton Button3;
    TLabel Label6; // the reminder to wait for the restart
    TEdit Edit4;   // factory number
    TEdit Edit3;   // password
    TButton Button2, Button1;
    TStatusBar StatusBar1;

    void FormActivate();
    void Button3Click(); // set the clock, then restart
    void Button2Click(); // write the factory number
    void Button1Click();
};

extern TForm15* Form15;
