#pragma once
// Payment forms: the register's table of payment forms in a grid, and one form defined anew.
// PaymentCount, the number of payment forms, lives in the shared session; the receipt reads it.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"

// Permission bits of a payment form.
constexpr int PaymentForSale = 0x01;
constexpr int PaymentForRefund = 0x02;
constexpr int PaymentGivesChange = 0x80;

// The permission mask of the three boxes' states.
int PaymentPermissionMask(bool sale, bool refund, bool change);

class TForm34 : public TForm {
public:
    TForm34();

    int32_t& PaymentCount = Session.PaymentCount;

    TStringGrid StringGrid1;
    TButton Button3; // "Прочитать"
    TGroupBox GroupBox1;
    TEdit Edit2; // number
    TEdit Edit1; // name
    TCheckBox CheckBox1, CheckBox2, CheckBox3;
    TButton Button2; // "Добавить"
    TButton Button1; // "Выход"

    void FormActivate();
    void Button3Click();
    void Button2Click();
    void Button1Click();
    void Edit1Change();
    void Edit2Change();

    // For tests: back to the state at program start, as if nothing had been read.
    void ForgetRead() { read_ = false; }

private:
    void LayOut();
    void ResetGrid();
    bool ReadPaymentForm(int number);
    bool read_ = false; // once set, activation keeps what was read
};

extern TForm34* Form34;
