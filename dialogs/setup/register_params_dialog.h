#pragma once
// Register parameters: link speed, print contrast, document and print options, cash-drawer pulses
// and the characters of an article name (27h/28h). A new speed moves the link with it.
#include "platform/forms/forms.h"
#include "shell/window_links.h"

class TForm26 : public TRegisterSpeedForm {
public:
    TForm26();

    // ComboBox2 (speed) and CheckBox16..18 come with TRegisterSpeedForm.
    TComboBox ComboBox1; // contrast
    TGroupBox GroupBox1; // "Параметры документа"
    TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8,
        CheckBox9, CheckBox10, CheckBox19;
    TButton Button1, Button2; // "Очистить все", "Установить все" of the document options
    TGroupBox GroupBox2;      // "Расширенные параметры печати"
    TCheckBox CheckBox11, CheckBox12, CheckBox14;
    TButton Button3, Button4; // the same for the print options
    TEdit Edit2, Edit3, Edit4;
    TEdit Edit5; // password
    TEdit Edit8; // error field
    TButton Button7, Button6, Button8, Button5;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button7Click();
    void Button6Click();
    void Button8Click();
    void Button5Click();

private:
    struct Bit {
        int Mask;
        TCheckBox* Box;
    };
    std::vector<Bit> DocumentBits();
    std::vector<Bit> PrintBits();
    void LayOut();
    void MoveLinkTo(const std::string& rate);
};

// Paper width switch: the parameter block written with one of two fixed sets.
class TForm47 : public TForm {
public:
    TForm47();

    TRadioGroup RadioGroup1;
    TButton Button2, Button1;

    void Button2Click();
    void Button1Click();
};

extern TForm26* Form26;
extern TForm47* Form47;
