// Service information, fiscalisation, fiscal and tax numbers, tax rates, decimal point.
#include "driver/formatters.h"
#include "driver/formatters_common.h"

AnswerRecord* AddTmpBuffLine(const std::string& password, int line, const std::string& text, int* error) {
    return SendData(0x34, DataText(password).Int(line).Text(text), error);
}

AnswerRecord* SetServiceInfo(const std::string& oldPassword, const std::string& newPassword,
                             const std::string& date, int days, int mask, int* error) {
    return SendData(0x35, DataText(oldPassword).Text(newPassword).Text(date).Int(days).Hex2(mask), error);
}

AnswerRecord* GetServiceInfo(const std::string& password, int* error) {
    return SendData(0x36, DataText(password), error);
}

AnswerRecord* Fiscalize(const std::string& password, const std::string& first, const std::string& second,
                        int* error) {
    return SendData(0x40, DataText(password).Text(first).Text(second), error);
}

AnswerRecord* SetSerialNumber(const std::string& password, const std::string& factoryNumber, int* error) {
    return SendData(0x41, DataText(password).Text(factoryNumber), error);
}

AnswerRecord* GetSerialNumber(const std::string& password, int* error) {
    return SendData(0x42, DataText(password), error);
}

AnswerRecord* SetFiscalNumber(const std::string& password, const std::string& fiscalNumber, int* error) {
    return SendData(0x43, DataText(password).Text(fiscalNumber), error);
}

AnswerRecord* GetFiscalNumber(const std::string& password, int* error) {
    return SendData(0x44, DataText(password), error);
}

AnswerRecord* SetTaxIdNumber(const std::string& password, const std::string& number,
                             const std::string& numberType, int* error) {
    return SendData(0x45, DataText(password).Text(number).Text(numberType), error);
}

AnswerRecord* GetTaxIdNumber(const std::string& password, int* error) {
    return SendData(0x46, DataText(password), error);
}

AnswerRecord* SetTaxes(const std::string& password, int tax, int mask, const std::string& value,
                       const std::string& name, int* error) {
    return SetTaxes(password, tax, mask, value, name, -1, error);
}

AnswerRecord* SetTaxes(const std::string& password, int tax, int mask, const std::string& value,
                       const std::string& name, int linkedGroup, int* error) {
    return SendData(0x47, DataText(password).Int(tax).Hex2(mask).Text(value).Text(name).Int(linkedGroup),
                    error);
}

AnswerRecord* GetTaxes(const std::string& password, int tax, int* error) {
    return SendData(0x48, DataText(password).Int(tax), error);
}

AnswerRecord* SetDecimalPoint(const std::string& password, int position, int* error) {
    return SendData(0x49, DataText(password).Int(position), error);
}

AnswerRecord* GetDecimalPoint(const std::string& password, int* error) {
    return SendData(0x4A, DataText(password), error);
}
