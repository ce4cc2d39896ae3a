#pragma once
// Reading the fiscal parameters into a form of its own; no menu opens it.
#include "platform/forms/forms.h"

class TForm17 : public TForm {
public:
    TForm17();
    TEdit Edit10;                                                    // factory number
    TEdit Edit11;                                                    // fiscal number
    TEdit Edit12;                                                    // identification number
    TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5; // kinds of tax, rows А..Д
    TEdit Edit1, Edit2, Edit3, Edit4, Edit13;                        // rates
    TEdit Edit6, Edit7, Edit8, Edit9, Edit14;                        // names
    TEdit Edit5;                                                     // password
    TButton Button3, Button1;

    void Button3Click();
    void Button1Click();

private:
    bool ReadNumbers();
    bool ReadTax(int row);
    std::array<TLabel, 5> rowLabels_;
    TLabel kindHeading_, rateHeading_, nameHeading_;
};

extern TForm17* Form17;
