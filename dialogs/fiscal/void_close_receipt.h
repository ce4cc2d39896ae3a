#pragma once
// Void and close receipt: reads which receipt the register has open and voids or closes it.
#include <cstdint>
#include <string>

#include "platform/forms/forms.h"

class TForm35 : public TForm {
public:
    TForm35();

    TButton Button3; // "Аннулировать чек"
    TButton Button2; // "Закрыть чек"
    TButton Button4; // "Состояние регистратора"
    TButton Button1; // "Выход"
    TEdit Edit1;     // error field of the last answer
    TStatusBar StatusBar1;

    void FormActivate();
    void Button4Click();
    void Button3Click();
    void Button2Click();

private:
    bool CheckRegister();
    void ShowNoReceipt();
};

// What status byte 2 says of the open receipt: its text and whether it may be closed and voided.
struct ReceiptState {
    std::string Text;
    bool MayClose = false;
    bool MayVoid = false;
    bool operator==(const ReceiptState&) const = default;
};
ReceiptState ReceiptStateOf(uint8_t s2);

extern TForm35* Form35;
