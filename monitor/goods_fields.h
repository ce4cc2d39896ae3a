#pragma once
// What the goods windows share: the edits both of them hold, their defaults and layout, reading a
// range and the price from the edits, and the payment sum ("Расчитать (только вложенный налог)").
#include <string>

#include "monitor/goods_script.h"
#include "platform/forms/forms.h"

// The labels of the shared edits whose values a message may name.
namespace goods_label {
inline const std::string Prefix = "Префикс имени товара (до 66 символов):";
inline const std::string Price = "Цена:";
inline const std::string ProgrammingPassword = "Пароль для программирования: ";
inline const std::string SalePassword = "Пароль для продажи:";
inline const std::string PaymentSum = "Сумма для оплаты: ";
} // namespace goods_label

// The step edits are as long as the code edits: no range of nine-digit codes needs a longer step.
inline constexpr int GoodsCodeChars = 9;

// The edits, boxes and button that the script-preparation window and the direct window hold alike.
// Each window adds its own step edit (and the script window its file name and sale range).
class TGoodsForm : public TForm {
public:
    TEdit Edit1, Edit2;   // programming range: first and last code
    TEdit Edit3;          // name prefix
    TEdit Edit4;          // price
    TEdit Edit5, Edit6;   // tax group, goods group
    TEdit Edit10, Edit11; // programming and sale passwords
    TEdit Edit12;         // operator number
    TEdit Edit13, Edit14; // payment sum, payment type
    TCheckBox CheckBox1;  // "не программировать товары"
    TCheckBox CheckBox2;  // "не продавать товары"
    TButton Button1;      // "Расчитать (только вложенный налог)"

protected:
    // The caption, the frame and every default of the shared controls.
    explicit TGoodsForm(const std::string& caption);
    // The window's own code and step edits: "1", at most GoodsCodeChars characters.
    static void SetUpCodeEdits(std::initializer_list<TEdit*> edits);
    // The labelled edits from the first code to the goods group, with the range's step third.
    void LayOutArticle(Column& column, TEdit& step);
    // The labelled edits from the programming password to the payment type.
    void LayOutPayment(Column& column);
};

// The range of three edits; a text that is not a number raises the conversion error.
GoodsRange RangeOfEdits(const TEdit& first, const TEdit& last, const TEdit& step);
// The price as the payment counts it: the edit's number with "." as the separator, to kopecks.
double PriceOfEdit(const TEdit& price);
// The sum of the sold range at that price, as the payment edit shows it ("%3.2f").
std::string PaymentText(const GoodsRange& sold, double price);
// The payment edit is raised to the sum of the sold range when it holds less.
void RaisePaymentSum(TEdit& payment, const GoodsRange& sold, double price);
