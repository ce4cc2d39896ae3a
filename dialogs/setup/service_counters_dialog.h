#pragma once
// Service counters: numbered settings and readings of the register, read and set one at a time.
// Setting the USB drive mode ends the link, so the dialog then disconnects and closes.
#include "platform/forms/forms.h"

class TForm39 : public TForm {
public:
    TForm39();

    TGroupBox GroupBox1; // "Чтение счетчиков"
    TComboBox ComboBox1; // the counter; its index is the counter's number
    TEdit Edit1;         // value
    TButton Button2;     // "Прочитать"
    TButton Button4;     // "Установить" (handled by Button3Click)
    TEdit Edit3;         // password
    TButton Button1;

    void FormActivate();
    void ComboBox1Change();
    void Button2Click();
    void Button3Click();
    void Button1Click();

private:
    void ApplyButtonRule();
};

extern TForm39* Form39;
