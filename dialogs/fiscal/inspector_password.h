#pragma once
// Changing the tax inspector's password (40h with the old password); no menu opens it.
#include "platform/forms/forms.h"

class TForm16 : public TForm {
public:
    TForm16();
    TEdit Edit4; // factory number
    TEdit Edit3; // old password
    TEdit Edit1; // new password
    TEdit Edit2; // new password again
    TButton Button2, Button1;

    void Button2Click();
    void Button1Click();
};

extern TForm16* Form16;
