#pragma once
// Report of goods sold for a range of article codes.
#include <string>

#include "platform/forms/forms.h"

class TForm24 : public TForm {
public:
    TForm24();

    TEdit Edit2;     // first article code
    TEdit Edit4;     // last article code
    TEdit Edit1;     // password
    TEdit Edit3;     // error field of the last answer
    TButton Button2; // "Сделать отчет"
    TButton Button4; // "Состояние регистратора"
    TButton Button1; // "Закрыть"

    void FormActivate();
    void Button2Click();
    void Button4Click();
    void Button1Click();
};

// The highest article code the register's firmware knows, as the last code's default.
std::string LastArticleCode(const std::string& firmware, bool highPriority);

extern TForm24* Form24;
