// Diagnostics, display, service counters, reports, receipt and journal copies, data read-out, restart.
#include "driver/formatters.h"
#include "driver/formatters_common.h"

AnswerRecord* GetDiagnosticInfo(const std::string& password, int* error) {
    return SendData(0x80, DataText(password), error);
}

AnswerRecord* ShowOnDisplay(const std::string& password, const std::string& text, int function, int value,
                            int* error) {
    return SendData(0x81, DataText(password).Int(function).Int(value).Text(text), error);
}

AnswerRecord* PrintServiceReport(const std::string& password, int type, int* error) {
    return SendData(0x84, DataText(password).Int(type), error);
}

AnswerRecord* SetServiceCounter(const std::string& password, int counter, int value, int* error) {
    return SendData(0x88, DataText(password).Int(counter).Int(value), error);
}

AnswerRecord* GetServiceCounter(const std::string& password, int counter, int* error) {
    return SendData(0x89, DataText(password).Int(counter), error);
}

AnswerRecord* GetFreeResources(const std::string& password, int* error) {
    return SendData(0xA0, DataText(password), error);
}

AnswerRecord* PrintDailyReport(const std::string& password, int type, int* error) {
    return SendData(0xA1, DataText(password).Int(type), error);
}

AnswerRecord* PrintPeriodicReportByDate(const std::string& password, const std::string& firstDate,
                                        const std::string& lastDate, int type, int* error) {
    return SendData(0xA2, DataText(password).Text(firstDate).Text(lastDate).Int(type), error);
}

AnswerRecord* PrintPeriodicReportByNumber(const std::string& password, int first, int last, int type,
                                          int* error) {
    return SendData(0xA3, DataText(password).Int(first).Int(last).Int(type), error);
}

AnswerRecord* PrintArticulReport(const std::string& password, int64_t firstCode, int64_t lastCode,
                                 int* error) {
    return SendData(0xA4, DataText(password).Int(firstCode).Int(lastCode), error);
}

AnswerRecord* PrintReceiptCopyByNumber(const std::string& password, int first, int last, int* error) {
    return SendData(0xA5, DataText(password).Int(first).Int(last), error);
}

AnswerRecord* PrintExtraDailyReport(const std::string& password, int type, int /*unused1*/, int /*unused2*/,
                                    int* error) {
    return SendData(0xA6, DataText(password).Int(type).Empty().Empty(), error);
}

AnswerRecord* SetDataSource(const std::string& password, int subFunction, int /*unused*/, int number,
                            int* error) {
    DataText data(password);
    data.Int(subFunction).Empty();
    switch (subFunction) {
    case 0:
    case 1:
    case 3:
        data.Int(number);
        break;
    case 2:
    case 5:
        data.Empty();
        break;
    default:
        return Refuse(0xE7, RefusalOutOfRange, error);
    }
    return SendData(0xE7, data, error);
}

AnswerRecord* ReadDataFromBuf(const std::string& password, int* error) {
    return SendData(0xE8, DataText(password), error);
}

AnswerRecord* PrintJournalCopyByNumber(const std::string& password, int first, int last, int* error) {
    return SendData(0xEB, DataText(password).Int(first).Int(last), error);
}

AnswerRecord* PrintJournalCopyByDate(const std::string& password, const std::string& firstDate,
                                     const std::string& firstTime, const std::string& lastDate,
                                     const std::string& lastTime, int print, int* error) {
    DataText data(password);
    data.Text(firstDate).Text(firstTime).Text(lastDate).Text(lastTime).Int(print);
    return SendData(0xEE, data, error);
}

AnswerRecord* RestartRegistrator(const std::string& password, int* error) {
    return SendData(0xF3, DataText(password), error);
}
