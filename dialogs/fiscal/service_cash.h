#pragma once
// Service cash: deposits into and withdrawals from the register's cash drawer total.
#include "platform/forms/forms.h"

class TForm9 : public TForm {
public:
    TForm9();

    TEdit Edit5;     // password
    TEdit Edit1;     // amount
    TEdit Edit3;     // operator number
    TEdit Edit2;     // cash in the drawer after the operation
    TButton Button3; // "Служебный внос"
    TButton Button2; // "Служебное изъятие"
    TButton Button1; // "Закрыть"

    void Button3Click();
    void Button2Click();

private:
    struct Texts {
        const char* Prefix;
        const char* Success;
    };
    void MoveCash(int sign, const Texts& texts);
    bool CashInOneCommand(int operatorNumber, double amount, const Texts& texts);
    bool CashInReceipt(int operatorNumber, double amount, const Texts& texts);
};

// Older firmware records service cash with one command; the rest inside a receipt.
bool CashTakesOneCommand(const std::string& firmware, bool highPriority);

extern TForm9* Form9;
