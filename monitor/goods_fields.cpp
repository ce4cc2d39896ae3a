#include "monitor/goods_fields.h"

#include "driver/formatters_common.h"

GoodsRange RangeOfEdits(const TEdit& first, const TEdit& last, const TEdit& step) {
    return {StrToInt64(first.Text()), StrToInt64(last.Text()), StrToInt64(step.Text())};
}

double PriceOfEdit(const TEdit& price) {
    DecimalSeparator = '.';
    return StrToFloat(FixedText(StrToFloat(price.Text()), 2));
}

std::string PaymentText(const GoodsRange& sold, double price) {
    return FixedText(PaymentForRange(sold, price), 2);
}

void RaisePaymentSum(TEdit& payment, const GoodsRange& sold, double price) {
    DecimalSeparator = '.';
    const std::string sum = PaymentText(sold, price);
    if (StrToFloat(payment.Text()) < StrToFloat(sum)) payment.SetText(sum);
}
