#pragma once
// Non-fiscal receipt: free text lines printed between the opening and the closing of the receipt.
#include "platform/forms/forms.h"

class TForm8 : public TForm {
public:
    TForm8();

    TLabel Label1;   // the memo's caption
    TMemo Memo1;     // lines to print
    TEdit Edit1;     // password
    TButton Button2; // "Печать чека:"
    TButton Button1; // "Закрыть"

    void Button2Click();
    void Memo1KeyPress(char32_t& key);
};

// The text that one memo line prints as: its first 39 characters without any ";".
std::string PrintedLine(const std::string& line);

extern TForm8* Form8;
