#include "tools/regsim/register_model.h"

#include <chrono>
#include <cstdio>

#include "tools/regsim/model_fields.h"

namespace regsim {

namespace {

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Calendar arithmetic without time zones: the broken-down time read as if it were UTC.
long long CalendarSeconds(const DateTime& time) {
    std::tm parts{};
    parts.tm_year = time.Year - 1900;
    parts.tm_mon = time.Month - 1;
    parts.tm_mday = time.Day;
    parts.tm_hour = time.Hour;
    parts.tm_min = time.Minute;
    parts.tm_sec = time.Second;
    return timegm(&parts);
}

DateTime FromCalendarSeconds(long long seconds) {
    const std::time_t value = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&value, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

DateTime HostLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

} // namespace

std::string FieldFormatError(int field) {
    return TwoHex(field) + "03";
}
std::string FieldValueError(int field) {
    return TwoHex(field) + "04";
}

std::vector<std::string> SplitFields(const std::string& data) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find(';', start);
        if (end == std::string::npos) end = data.size();
        fields.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

RegisterModel::RegisterModel() = default;

ModelAnswer RegisterModel::Handle(uint8_t code, const std::string& data) {
    using Handler = ModelAnswer (RegisterModel::*)(const std::vector<std::string>&);
    static const std::map<uint8_t, Handler> handlers = {
        {0x20, &RegisterModel::SetDateTime},
        {0x21, &RegisterModel::GetDateTime},
        {0x80, &RegisterModel::DiagnosticInfo},
        {0x88, &RegisterModel::SetServiceCounter},
        {0x89, &RegisterModel::GetServiceCounter},
        {0xA0, &RegisterModel::GetFreeResources},
        {0x27, &RegisterModel::SetRegistratorParams},
        {0x28, &RegisterModel::GetRegistratorParams},
        {0x22, &RegisterModel::SetHeaderFooter},
        {0x23, &RegisterModel::GetHeaderFooter},
        {0x29, &RegisterModel::SetUserLogo},
        {0x31, &RegisterModel::CloseUserLogo},
        {0x2F, &RegisterModel::SetOperatorParams},
        {0x30, &RegisterModel::GetOperatorParams},
        {0x2C, &RegisterModel::ClearOperator},
        {0x34, &RegisterModel::AddTmpBuffLine},
        {0x36, &RegisterModel::GetServiceInfo},
        {0x49, &RegisterModel::SetDecimalPoint},
        {0x4A, &RegisterModel::GetDecimalPoint},
        {0x4B, &RegisterModel::SetDeviceId},
        {0x4C, &RegisterModel::GetDeviceId},
        {0x6E, &RegisterModel::CashInOut},
        {0x77, &RegisterModel::CashInOutInReceipt},
        {0xA1, &RegisterModel::DailyReport},
        {0xA6, &RegisterModel::ExtraDailyReport},
        {0xA2, &RegisterModel::PeriodicReportByDate},
        {0xA3, &RegisterModel::PeriodicReportByNumber},
        {0xA4, &RegisterModel::ArticleReport},
        {0xA5, &RegisterModel::ReceiptCopyByNumber},
        {0xEB, &RegisterModel::JournalCopyByNumber},
        {0xEE, &RegisterModel::JournalCopyByDate},
        {0x3B, &RegisterModel::ClearArticles},
        {0xD0, &RegisterModel::SetRemoteAccess},
        {0xD1, &RegisterModel::GetRemoteAccess},
        {0xFB, &RegisterModel::SetAcquirerLink},
        {0xFA, &RegisterModel::GetAcquirerLink},
        {0xE7, &RegisterModel::SetDataSource},
        {0xE8, &RegisterModel::ReadDataFromBuf},
        {0xEA, &RegisterModel::GetModemState},
        {0xFC, &RegisterModel::GetAcquirerSession},
        {0x41, &RegisterModel::SetSerialNumber},
        {0x42, &RegisterModel::GetSerialNumber},
        {0x43, &RegisterModel::SetFiscalNumber},
        {0x44, &RegisterModel::GetFiscalNumber},
        {0x45, &RegisterModel::SetTaxIdNumber},
        {0x46, &RegisterModel::GetTaxIdNumber},
        {0x47, &RegisterModel::SetTaxes},
        {0x48, &RegisterModel::GetTaxes},
        {0xF0, &RegisterModel::ClearFiscalMemory},
        {0xF1, &RegisterModel::ReadFiscalMemory},
        {0xF2, &RegisterModel::WriteFiscalMemory},
        {0xF3, &RegisterModel::Restart},
        {0x24, &RegisterModel::AddArticle},
        {0x2D, &RegisterModel::SetPaymentForm},
        {0x2E, &RegisterModel::GetPaymentForm},
        {0x60, &RegisterModel::OpenNonFiscal},
        {0x61, &RegisterModel::PrintLine},
        {0x63, &RegisterModel::OpenReceipt},
        {0x64, &RegisterModel::Sell},
        {0x65, &RegisterModel::CloseDocument},
        {0x67, &RegisterModel::Pay},
        {0x68, &RegisterModel::ItemPercent},
        {0x69, &RegisterModel::ItemAbsolute},
        {0x6B, &RegisterModel::Cancel},
        {0x6D, &RegisterModel::Subtotal},
        {0x6F, &RegisterModel::PrintBarcode},
        {0x73, &RegisterModel::SubtotalPercent},
        {0x74, &RegisterModel::SubtotalAbsolute},
        {0x75, &RegisterModel::TaxGroupPercent},
        {0x76, &RegisterModel::TaxGroupAbsolute},
        {0x78, &RegisterModel::PayByCard},
        {0x81, &RegisterModel::Display},
    };
    // These carry their own passwords in place of the access password.
    static const std::map<uint8_t, Handler> ownPassword = {
        {0x2B, &RegisterModel::SetModePasswords},
        {0x35, &RegisterModel::SetServiceInfo},
        {0x40, &RegisterModel::Fiscalize},
    };
    if (auto answer = Unavailable()) return *answer;
    if (auto own = ownPassword.find(code); own != ownPassword.end())
        return (this->*own->second)(SplitFields(data));
    auto handler = handlers.find(code);
    if (handler == handlers.end())
        return RegisterHasCommand(code) ? DefaultAnswer : ModelAnswer{kErrorUnknownCommand, ""};
    const std::vector<std::string> fields = SplitFields(data);
    if (Field(fields, 0) != State.Password) return {kErrorPassword, ""};
    return (this->*handler->second)(fields);
}

void RegisterModel::SetClock(const DateTime& time, bool running) {
    if (running) {
        stoppedClock_.reset();
        clockOffset_ = CalendarSeconds(time) - CalendarSeconds(HostLocalTime());
    } else {
        stoppedClock_ = time;
    }
}

DateTime RegisterModel::Clock() const {
    if (stoppedClock_) return *stoppedClock_;
    return FromCalendarSeconds(CalendarSeconds(HostLocalTime()) + clockOffset_);
}

// 20h: password; date DDMMYY; time HHMM. Seconds start from zero.
ModelAnswer RegisterModel::SetDateTime(const std::vector<std::string>& fields) {
    DateTime time;
    int year = 0;
    const std::string date = Field(fields, 1);
    if (date.size() != 6 || !ParseDigits(date.substr(0, 2), 2, time.Day) ||
        !ParseDigits(date.substr(2, 2), 2, time.Month) || !ParseDigits(date.substr(4), 2, year) ||
        time.Month < 1 || time.Month > 12 || time.Day < 1 || time.Day > DaysInMonth(2000 + year, time.Month))
        return {kErrorDateFormat, ""};
    time.Year = 2000 + year;
    const std::string clock = Field(fields, 2);
    if (clock.size() != 4 || !ParseDigits(clock.substr(0, 2), 2, time.Hour) ||
        !ParseDigits(clock.substr(2), 2, time.Minute) || time.Hour > 23 || time.Minute > 59)
        return {kErrorTimeFormat, ""};
    SetClock(time, !stoppedClock_);
    State.Fiscal.ClockSet = true;
    return {kErrorOk, ""};
}

// 21h: "DDMMYY;HHMM;".
ModelAnswer RegisterModel::GetDateTime(const std::vector<std::string>&) {
    const DateTime now = Clock();
    char data[32];
    std::snprintf(data, sizeof data, "%02d%02d%02d;%02d%02d;", now.Day % 100, now.Month % 100, now.Year % 100,
                  now.Hour % 100, now.Minute % 100);
    return {kErrorOk, data};
}

ModelAnswer RegisterModel::DiagnosticInfo(const std::vector<std::string>&) {
    const RegisterState& s = State;
    return {kErrorOk,
            JoinFields({s.Model, s.Firmware, s.FurtherText, s.FactoryNumber, s.FiscalNumber, s.TaxNumber,
                        s.LogoBytes, s.LogoWidth, s.LastReportNumber, s.ReceiptNumber, s.PaymentTypes})};
}

// 88h: password; counter number; value (a decimal integer).
ModelAnswer RegisterModel::SetServiceCounter(const std::vector<std::string>& fields) {
    int counter = 0, value = 0;
    if (!ParseInt(Field(fields, 1), counter)) return {FieldFormatError(2), ""};
    if (counter < 0 || counter >= CounterCount) return {FieldValueError(2), ""};
    if (!ParseInt(Field(fields, 2), value)) return {FieldFormatError(3), ""};
    State.Counters[counter] = std::to_string(value);
    return {kErrorOk, ""};
}

// 89h: password; counter number. Answer: the value.
ModelAnswer RegisterModel::GetServiceCounter(const std::vector<std::string>& fields) {
    int counter = 0;
    if (!ParseInt(Field(fields, 1), counter)) return {FieldFormatError(2), ""};
    if (counter < 0 || counter >= CounterCount) return {FieldValueError(2), ""};
    auto found = State.Counters.find(counter);
    return {kErrorOk, (found == State.Counters.end() ? std::string("0") : found->second) + ";"};
}

ModelAnswer RegisterModel::GetFreeResources(const std::vector<std::string>&) {
    const FreeResources& r = State.Resources;
    return {kErrorOk,
            JoinFields({r.MayFiscalize, r.MayWriteFactoryNumber, r.MayWriteFiscalNumber, r.MayWriteTaxNumber,
                        r.MayWriteTaxRates, r.MayWritePassword, r.EmergencyClears, r.FreeFiscalReports,
                        r.ShiftOpenDate, r.ShiftOpenTime, r.FreeArticles, r.FreeReceipts})};
}

} // namespace regsim
