#pragma once
// Fiscalisation: puts the register into fiscal mode with its factory number and the tax
// inspector's password, waits until it answers without error, and prints a confirming receipt.
#include "platform/forms/forms.h"

class CommandSequence;

class TForm19 : public TForm {
public:
    TForm19();
    TEdit Edit4; // factory number
    TEdit Edit1; // tax inspector's password
    TEdit Edit2; // the same again
    TEdit Edit3; // register password
    TEdit Edit5; // error field of the last answer
    TButton Button2, Button1;

    void Button2Click();
    void Button1Click(); // closes; while waiting for the register it gives the wait up

private:
    bool PasswordsAccepted();
    bool WaitForRegister();
    void PrintConfirmation(CommandSequence& sequence);

    bool waiting_ = false;
    bool givenUp_ = false;
};

extern TForm19* Form19;
