#pragma once
// What the goods windows share: reading a range and the price from their edits, and the payment sum
// ("Расчитать (только вложенный налог)").
#include "monitor/goods_script.h"
#include "platform/forms/forms.h"

// The range of three edits; a text that is not a number raises the conversion error.
GoodsRange RangeOfEdits(const TEdit& first, const TEdit& last, const TEdit& step);
// The price as the payment counts it: the edit's number with "." as the separator, to kopecks.
double PriceOfEdit(const TEdit& price);
// The sum of the sold range at that price, as the payment edit shows it ("%3.2f").
std::string PaymentText(const GoodsRange& sold, double price);
// The payment edit is raised to the sum of the sold range when it holds less.
void RaisePaymentSum(TEdit& payment, const GoodsRange& sold, double price);
