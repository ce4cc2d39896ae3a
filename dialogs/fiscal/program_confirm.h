#pragma once
// The two small windows around programming the fiscal parameters: the confirmation that chooses
// what to program, and the result of each part.
#include <cstdint>

#include "platform/forms/forms.h"

class TForm22 : public TForm {
public:
    TForm22();
    TCheckBox CheckBox2; // fiscal number
    TCheckBox CheckBox3; // identification and tax numbers
    TCheckBox CheckBox4; // taxes
    TButton Button1, Button2;
    // Set each time the window opens; only "Продолжить" clears it.
    uint8_t Cancelled = 0;

    void FormActivate();
    void Button1Click();
    void Button2Click();
};

class TForm36 : public TForm {
public:
    TForm36();
    TLabel Label1, Label2, Label3;
    TButton Button2;
    // 1 success, 0 failure, -1 not programmed.
    int32_t FiscalNumberResult = -1;
    int32_t TaxIdResult = -1;
    int32_t TaxRatesResult = -1;

    void FormActivate();
    void Button2Click();
};

extern TForm22* Form22;
extern TForm36* Form36;
