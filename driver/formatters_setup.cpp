// Date and time, header lines, articles, register parameters, logo, passwords, payment forms, operators.
#include "driver/formatters.h"
#include "driver/formatters_common.h"
#include "platform/text/text.h"

namespace {
constexpr int LastHeaderLine = 20;
constexpr size_t LogoPixelChars = 48;

bool IsHeaderLine(int line) {
    return line >= 0 && line <= LastHeaderLine;
}
} // namespace

AnswerRecord* SetDateTime(const std::string& password, const std::string& date, const std::string& time,
                          int* error) {
    return SendData(0x20, DataText(password).Text(date).Text(time), error);
}

AnswerRecord* GetDateTime(const std::string& password, int /*unused*/, int* error) {
    return SendData(0x21, DataText(password), error);
}

AnswerRecord* SetHeaderFooter(const std::string& password, int line, const std::string& text, int attribute,
                              int* error) {
    if (!IsHeaderLine(line)) return Refuse(0x22, RefusalHeaderLine, error);
    return SendData(0x22, DataText(password).Int(line).Text(text).Int(attribute), error);
}

AnswerRecord* GetHeaderFooter(const std::string& password, int line, int* error) {
    if (!IsHeaderLine(line)) return Refuse(0x23, RefusalReadHeaderLine, error);
    return SendData(0x23, DataText(password).Int(line), error);
}

AnswerRecord* GetArticulIndex(const std::string& password, int articleCode, int* error) {
    return SendData(0x25, DataText(password).Int(articleCode), error);
}

AnswerRecord* GetArticulDataByIndex(const std::string& password, int index, int* error) {
    return SendData(0x26, DataText(password).Int(index), error);
}

AnswerRecord* SetRegistratorParams(const std::string& password, int speed, int contrast, int documentOptions,
                                   int printOptions, int drawerOpenPulse, int drawerClosePulse,
                                   int nameLength, int* error) {
    DataText data(password);
    data.Int(speed).Int(contrast).Hex4(documentOptions).Hex2(printOptions);
    data.Hex2(drawerOpenPulse).Hex2(drawerClosePulse).Int2(nameLength);
    return SendData(0x27, data, error);
}

AnswerRecord* GetRegistratorParams(const std::string& password, int* error) {
    return SendData(0x28, DataText(password), error);
}

AnswerRecord* SetUserLogo(const std::string& password, int line, const std::string& pixels, int* error) {
    if (line < 0) return Refuse(0x29, RefusalLogoLine, error);
    if (CharCount(pixels) != LogoPixelChars) return Refuse(0x29, RefusalLogoPixels, error);
    return SendData(0x29, DataText(password).Int(line).Text(pixels), error);
}

AnswerRecord* SetModePsw(const std::string& manualReports, const std::string& programming,
                         const std::string& reports, const std::string& administrator, int* error) {
    return SendData(0x2B, DataText(manualReports).Text(programming).Text(reports).Text(administrator), error);
}

AnswerRecord* ClearOpetratorPsw(const std::string& password, int operatorIndex, int* error) {
    return SendData(0x2C, DataText(password).Int(operatorIndex), error);
}

AnswerRecord* SetPaymentParams(const std::string& password, int payment, int permissionMask,
                               const std::string& name, int* error) {
    return SendData(0x2D, DataText(password).Int(payment).Hex2(permissionMask).Text(name), error);
}

AnswerRecord* GetPaymentParams(const std::string& password, int payment, int* error) {
    return SendData(0x2E, DataText(password).Int(payment), error);
}

AnswerRecord* SetOperatorParams(const std::string& password, int operatorIndex,
                                const std::string& operatorPassword, const std::string& name, int* error) {
    return SendData(0x2F, DataText(password).Int(operatorIndex).Text(operatorPassword).Text(name), error);
}

AnswerRecord* GetOperatorParams(const std::string& password, int operatorIndex, int* error) {
    return SendData(0x30, DataText(password).Int(operatorIndex), error);
}
