#pragma once
// Free resources and status: how much room the register has left and which fiscal-memory writes
// are still permitted (command A0h).
#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm10 : public TForm {
public:
    TForm10();

    TEdit Edit1; // password
    TButton Button1;
    TEdit Edit8;     // error field
    TButton Button4; // "Состояние регистратора"
    TButton Button2;
    TPanel Panel1;
    TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6;
    TEdit Edit2, Edit3, Edit4, Edit5, Edit6, Edit7;

    void FormActivate();
    void Button1Click();
    void Button4Click();
    void Button2Click();

private:
    void LayOut();
    void ShowResources(const AnswerRecord& answer);
};
