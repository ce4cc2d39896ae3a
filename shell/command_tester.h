#pragma once
// The command tester: sends any command code with a free parameter line and shows the raw answer.
#include <string>

#include "driver/tables.h" // ParseCommandCode
#include "platform/forms/forms.h"

class TForm14 : public TForm {
public:
    TForm14();

    TEdit Edit6; // command code, two hexadecimal digits
    TEdit Edit5; // password
    TEdit Edit1; // command line; Enter executes
    TEdit Edit2; // answer data
    TEdit Edit3; // error field
    TEdit Edit4; // status bytes
    TSpeedButton SpeedButton2;
    TButton Button1, Button2;
    TStatusBar StatusBar1;

    void FormActivate();
    void Button1Click();
    void Edit1KeyDown(WORD& key, TShiftState shift);
    void SpeedButton2Click();
    void Button2Click();

private:
    void LayOut();
};

inline const std::string InvalidCommandCodeMessage = "Неверный код команды";
