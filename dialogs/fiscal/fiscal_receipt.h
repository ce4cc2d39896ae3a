#pragma once
// The fiscal receipt: open a sale or refund, sell articles from the article list, discounts and
// surcharges, comment, bar code, subtotal, customer display, cancellation, payment (in cash or by
// card through a bank terminal) and close. The register holds the receipt: the buttons may be
// pressed in any order, and the register's error field says what is out of order.
#include <string>
#include <vector>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"

struct TerminalSale;
class CommandSequence;
struct MoneyAmount;

class TForm21 : public TTerminalForm {
public:
    TForm21();

    TEdit Edit1; // password
    TLabel Label1;
    TListBox ListBox1; // the article list
    TEdit Edit3;       // the chosen article line
    TEdit Edit9;       // unit price
    TEdit Edit10;      // quantity
    TEdit Edit12;      // operator number
    TCheckBox CheckBox1;
    TEdit Edit2; // comment
    TCheckBox CheckBox2;
    TGroupBox GroupBox1; // percentage discount
    TEdit Edit4, Edit6;
    TButton Button3, Button6, Button19;
    TGroupBox GroupBox2; // absolute discount
    TEdit Edit5, Edit15;
    TButton Button4, Button7, Button20;
    TLabel Label6, Label5; // "Сумма по чеку:" and the total
    TEdit Edit11;          // EAN-13 digits without the check digit
    TComboBox ComboBox2;   // display function
    TComboBox ComboBox1;   // payment type
    TEdit Edit8;           // payment amount
    TCheckBox CheckBox3;   // use the typed transaction identifier
    TEdit Edit13;          // the typed transaction identifier
    TCheckBox CheckBox4;   // no card lines printed
    TLabel Label10;
    TEdit Edit7; // error field of the last answer
    TButton Button1, Button2, Button10, Button13, Button12, Button5, Button14, Button15, Button9;
    TButton Button17, Button18, Button8, Button16, Button11;
    TGroupBox GroupBox3; // payment

    void FormActivate();
    void ListBox1Click();
    void Label5Click();
    void Button1Click();
    void Button2Click();
    void Button10Click();
    void Button3Click();
    void Button6Click();
    void Button19Click();
    void Button4Click();
    void Button7Click();
    void Button20Click();
    void Button13Click();
    void Button12Click();
    void Button5Click();
    void Button14Click();
    void Button15Click();
    void Button9Click();
    void Button17Click();
    void Button18Click();
    void Button8Click();
    void Button16Click();
    void Button11Click();

private:
    void SetUpControls();
    void LayOut();
    void BindHandlers();
    void FillLists();
    // The common answer handling: true when the register answered with "0000". A command of a
    // sequence is named in it, and its failure says what the register took before.
    bool Judge(AnswerRecord* answer, int refused, const std::string& timeoutText,
               const std::string& errorText, CommandSequence* sequence = nullptr,
               const std::string& step = "");
    bool ArticleAccepted();
    void Discount(AnswerRecord* (*command)(const std::string&, double, int*), TEdit& value);
    void TaxGroupDiscount(AnswerRecord* (*command)(const std::string&, double, int, int*), TEdit& value,
                          TEdit& group);
    void Cancel(int type);
    void ShowErrorField(AnswerRecord* answer, int refused);
    // Payment steps.
    void PayInCash(int type, const MoneyAmount& amount);
    void PayByCard(int type, const MoneyAmount& amount);
    bool CardCommandsFormable(int type, const MoneyAmount& amount, const std::string& identifier,
                              bool signatureLines);
    void PayWithTypedIdentifier(int type, const MoneyAmount& amount);
    bool Bookable(const TerminalSale& sale, int type, const MoneyAmount& amount) const;
    std::string CardPaymentData(int type, const MoneyAmount& amount, const std::string& identifier) const;
    bool BookCardPayment(int type, const MoneyAmount& amount, const std::string& identifier,
                         const std::string& timeoutText, const std::string& errorText);
    void PrintLines(const std::vector<std::string>& lines);
};

extern TForm21* Form21;
