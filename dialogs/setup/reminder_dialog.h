#pragma once
// The register's reminder of technical maintenance: its message lines, event date, days of
// warning, how it reminds and its own password; read back, and printed as a report.
#include "controls/date_edit.h"
#include "platform/forms/forms.h"

class CommandSequence;

class TForm38 : public TForm {
public:
    TForm38();

    TGroupBox GroupBox1; // "Установить сообщение о техническом обслуживании"
    TMemo Memo1;
    TGroupBox GroupBox2;       // "Напоминание о техническом обслуживании"
    TEdit Edit2, Edit3, Edit4; // old, new and repeated password
    TDateEdit DateEdit1;
    TEdit Edit5;         // days of warning
    TGroupBox GroupBox3; // "Маска события"
    TCheckBox CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6;
    TButton Button3, Button4, Button1, Button2;

    void FormActivate();
    void Button3Click();
    void Button4Click();
    void Button1Click();
    void Button2Click();

private:
    struct Bit {
        int Mask;
        TCheckBox* Box;
    };
    std::vector<Bit> MaskBits();
    bool TypedFieldsAccepted();
    void AddMessageLines(CommandSequence& sequence);
};

extern TForm38* Form38;
