#pragma once
// The register's clock: set from a date and time the user edits (prefilled with the PC's clock),
// and read back into the same fields.
#include <string>

#include "controls/date_edit.h"
#include "platform/forms/forms.h"

// "dd.mm.yy" without its dots, as the register takes a date (DDMMYY).
std::string RegisterDate(const std::string& shownDate);
// DDMMYY from the register as "dd.mm.yy".
std::string ShownDate(const std::string& registerDate);

class TForm27 : public TForm {
public:
    TForm27();

    TDateEdit DateEdit1;
    TEdit Edit2; // time HHMM
    TEdit Edit3; // password
    TButton Button3, Button2, Button4, Button1;

    void FormActivate();
    void Button3Click();
    void Button2Click();
    void Button4Click();
    void Button1Click();
};

extern TForm27* Form27;
