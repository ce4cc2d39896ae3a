// Receipts, sales, payments, discounts and cash in and out.
#include <cmath>

#include "driver/formatters.h"
#include "driver/formatters_common.h"

namespace {
constexpr int LastPaymentType = 9;
}

AnswerRecord* OpenNonFiscalReceipt(const std::string& password, int* error) {
    return SendData(0x60, DataText(password), error);
}

AnswerRecord* PrintText(const std::string& password, const std::string& text, int* error) {
    return SendData(0x61, DataText(password).Text(text), error);
}

AnswerRecord* CloseNonFiscalReceipt(const std::string& password, int* error) {
    return SendData(0x65, DataText(password).Int(0), error);
}

AnswerRecord* OpenFiscalReceipt(const std::string& password, int operatorNumber, int till, int returnReceipt,
                                int* error) {
    return SendData(0x63, DataText(password).Int(operatorNumber).Int(till).Int(returnReceipt), error);
}

AnswerRecord* SellItem(const std::string& password, int articleCode, const std::string& quantity,
                       const std::string& price, int* error) {
    return SendData(0x64, DataText(password).Int(articleCode).Text(quantity).Text(price), error);
}

AnswerRecord* SellItem(const std::string& password, int64_t articleCode, double price, double quantity,
                       int* error) {
    // "Not above 0" is false for NaN, so test for the good range; infinity would print as "inf".
    if (!(quantity > 0) || !std::isfinite(quantity)) return Refuse(0x64, RefusalQuantity, error);
    if (price < 0 || !std::isfinite(price)) return Refuse(0x64, RefusalPrice, error);
    return SendData(0x64, DataText(password).Int(articleCode).Quantity(quantity).Money(price), error);
}

AnswerRecord* CloseFiscalReceipt(const std::string& password, int flag, int* error) {
    return SendData(0x65, DataText(password).Int(flag), error);
}

AnswerRecord* MakePayment(const std::string& password, int paymentType, double amount, int* error) {
    if (paymentType < 0 || paymentType > LastPaymentType) return Refuse(0x67, RefusalOutOfRange, error);
    return SendData(0x67, DataText(password).Int(paymentType).Money(amount), error);
}

AnswerRecord* DiscountItemPercent(const std::string& password, double value, int* error) {
    return SendData(0x68, DataText(password).Money(value), error);
}

AnswerRecord* DiscountItemAbsolute(const std::string& password, double value, int* error) {
    return SendData(0x69, DataText(password).Money(value), error);
}

AnswerRecord* CancelOperation(const std::string& password, int type, int* error) {
    return SendData(0x6B, DataText(password).Int(type), error);
}

AnswerRecord* PrintTotal(const std::string& password, int flag, int* error) {
    return SendData(0x6D, DataText(password).Int(flag != 0 ? 1 : 0), error);
}

AnswerRecord* CashInOut(const std::string& password, int operatorNumber, double amount, int* error) {
    return SendData(0x6E, DataText(password).Int(operatorNumber).Money(amount), error);
}

AnswerRecord* DiscountSubtotalPercent(const std::string& password, double value, int* error) {
    return SendData(0x73, DataText(password).Money(value), error);
}

AnswerRecord* DiscountSubtotalAbsolute(const std::string& password, double value, int* error) {
    return SendData(0x74, DataText(password).Money(value), error);
}

AnswerRecord* DiscountTaxGroupPercent(const std::string& password, double value, int taxGroup, int* error) {
    return SendData(0x75, DataText(password).Money(value).Int(taxGroup), error);
}

AnswerRecord* DiscountTaxGroupAbsolute(const std::string& password, double value, int taxGroup, int* error) {
    return SendData(0x76, DataText(password).Money(value).Int(taxGroup), error);
}

AnswerRecord* CashInOutInReceipt(const std::string& password, int operatorNumber, double amount, int* error) {
    return SendData(0x77, DataText(password).Int(operatorNumber).Money(amount), error);
}
