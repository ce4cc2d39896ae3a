#pragma once
// The about box: the program's name and version, who made it and the registers it serves.
#include "platform/forms/forms.h"

class TForm3 : public TForm {
public:
    TForm3();
    TLabel Label1;
    TLabel Label2;
    TLabel Label3;
    TButton Button1; // "Закрыть"

private:
    void Button1Click();
};
