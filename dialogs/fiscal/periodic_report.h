#pragma once
// Periodic report from the fiscal memory, by a range of dates or of report numbers, short or full.
#include <string>

#include "controls/date_edit.h"
#include "platform/forms/forms.h"

class TForm25 : public TForm {
public:
    TForm25();

    TGroupBox GroupBox1;     // "Тип отчета"
    TRadioGroup RadioGroup1; // by date or by number
    TRadioGroup RadioGroup2; // short or full, its index the report's type
    TGroupBox GroupBox2;     // "Дата"
    TDateEdit DateEdit1;     // first report's date
    TDateEdit DateEdit2;     // last report's date
    TGroupBox GroupBox3;     // "Номер"
    TEdit Edit1;             // first report's number
    TEdit Edit2;             // last report's number
    TEdit Edit3;             // password
    TEdit Edit8;             // error field of the last answer
    TButton Button2;         // "Сделать отчет"
    TButton Button3;         // "Состояние регистратора"
    TButton Button1;         // "Выход"

    void FormActivate();
    void RadioGroup1Click();
    void Button2Click();
    void Button3Click();
};

// "dd.mm.yy" as the register takes a date: "ddmmyy".
std::string ReportDate(std::string text);

extern TForm25* Form25;
