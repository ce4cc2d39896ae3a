#pragma once
// The register's data-transfer modem and its link to the acquirer: the modem's state (TForm51), the
// modem report of the other register family (TForm44) and the last acquirer session (TForm53).
#include <string>

#include "platform/forms/forms.h"

// DDMMYYhhmm as "DD-MM-YY hh:mm"; a shorter text gets the separators it reaches, the rest appended.
std::string ModemDateTime(const std::string& text);

class TForm51 : public TForm {
public:
    TForm51();

    TGroupBox GroupBox1; // "Отчет состояния модема"
    TCheckBox CheckBox9, CheckBox10, CheckBox12, CheckBox11, CheckBox13, CheckBox14, CheckBox15, CheckBox16;
    TEdit Edit32, Edit35, Edit36, Edit37;
    TCheckBox CheckBox8; // "Печатать"
    TButton Button28;
    TEdit Edit3, Edit7; // password, error field
    TButton Button1;

    void Button28Click();
    void Button1Click();
};

class TForm44 : public TForm {
public:
    TForm44();

    TGroupBox GroupBox1;
    TEdit Edit32, Edit35, Edit36, Edit37, Edit1;
    TButton Button2;
    TEdit Edit3; // password
    TButton Button1;

    void Button2Click();
    void Button1Click();
};

class TForm53 : public TForm {
public:
    TForm53();

    TEdit Edit1, Edit2; // date, time
    TEdit Edit3, Edit7; // password, error field
    TButton Button2, Button1;

    void Button2Click();
    void Button1Click();
};

extern TForm44* Form44;
extern TForm51* Form51;
extern TForm53* Form53;
