#pragma once
// Receipt copy from the electronic journal: a search by date and time that reports (and may print)
// the first and last document found, and a printout of documents by number.
#include <string>

#include "platform/forms/forms.h"

struct AnswerRecord;

class TForm54 : public TForm {
public:
    TForm54();

    TGroupBox GroupBox1;             // search and print by dates
    TDateTimePicker DateTimePicker1; // first date
    TEdit Edit3;                     // first time, HHMM
    TDateTimePicker DateTimePicker2; // last date
    TEdit Edit4;                     // last time, HHMM
    TCheckBox CheckBox1;             // "напечатать документы"
    TButton Button1;                 // "Выполнить"
    TLabel Label3;                   // first document found
    TLabel Label4;                   // last document found
    TGroupBox GroupBox2;             // print by numbers
    TEdit Edit1;                     // first number
    TEdit Edit2;                     // last number
    TButton Button3;                 // "Выполнить"
    TEdit Edit5;                     // error field of the last answer
    TButton Button2;                 // "Закрыть"

    void Button1Click();
    void Button3Click();
    void Label3Click();
    void Label3DblClick();
    void Label4Click();
    void Label4DblClick();

private:
    bool CheckJournalAnswer(AnswerRecord* answer);
};

// A time of day as the journal commands take it: four digits HHMM, 00:00 to 23:59.
bool IsJournalTime(const std::string& text);

extern TForm54* Form54;
