// Service cash, daily and periodic reports, the sold-goods report, receipt copies and the electronic
// journal. Reports printed on paper come inside a non-fiscal receipt; the daily reports outside any.
#include <cmath>

#include "platform/text/text.h"
#include "tools/regsim/model_fields.h"
#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

constexpr const char* kErrorCashShort = "110B";   // less cash in the drawer than asked for
constexpr const char* kErrorNoDocuments = "120B"; // the journal has nothing in the range

bool ReceiptOpen(const RegisterState& state) {
    return state.Document.Kind != DocumentKind::None;
}

bool InNonFiscal(const RegisterState& state) {
    return state.Document.Kind == DocumentKind::NonFiscal;
}

// "12.34" or "-1.00" into kopecks; the wire's point is "." whatever the process's locale.
bool ParseMoney(const std::string& text, int64_t& kopecks) {
    const auto value = TryStrToFloat(text, '.');
    if (!value) return false;
    kopecks = std::llround(*value * 100);
    return true;
}

std::string MoneyField(int64_t kopecks) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld;", kopecks < 0 ? "-" : "", std::llabs(kopecks) / 100,
                  std::llabs(kopecks) % 100);
    return text;
}

// DDMMYY into YYMMDD, which orders by date; empty when it is no date.
std::string SortableDate(const std::string& date) {
    int day = 0, month = 0, year = 0;
    if (date.size() != 6 || !ParseDigits(date.substr(0, 2), 2, day) ||
        !ParseDigits(date.substr(2, 2), 2, month) || !ParseDigits(date.substr(4), 2, year) || day < 1 ||
        day > 31 || month < 1 || month > 12)
        return "";
    return date.substr(4) + date.substr(2, 2) + date.substr(0, 2);
}

bool IsTime(const std::string& time) {
    int hour = 0, minute = 0;
    return time.size() == 4 && ParseDigits(time.substr(0, 2), 2, hour) &&
           ParseDigits(time.substr(2), 2, minute) && hour < 24 && minute < 60;
}

// Field `index` as a report type among `allowed`.
bool ParseType(const std::vector<std::string>& fields, size_t index, std::initializer_list<int> allowed,
               int& type) {
    if (!ParseInt(Field(fields, index), type)) return false;
    for (int one : allowed)
        if (type == one) return true;
    return false;
}

// Fields `index` and `index + 1` as a range first..last within 1..highest.
std::string RangeError(const std::vector<std::string>& fields, size_t index, int64_t lowest,
                       int64_t highest) {
    int64_t first = 0, last = 0;
    if (!ParseInt(Field(fields, index), first)) return FieldFormatError(index + 1);
    if (!ParseInt(Field(fields, index + 1), last)) return FieldFormatError(index + 2);
    if (first < lowest || first > highest) return FieldValueError(index + 1);
    if (last < first || last > highest) return FieldValueError(index + 2);
    return kErrorOk;
}

int Number(const std::string& text) {
    int value = 0;
    ParseInt(text, value);
    return value;
}

} // namespace

ModelAnswer RegisterModel::MoveCash(const std::string& amountText, int field) {
    int64_t amount = 0;
    if (!ParseMoney(amountText, amount)) return {FieldFormatError(field), ""};
    int64_t& cash = State.Reports.Cash;
    if (cash + amount < 0) return {kErrorCashShort, ""};
    cash += amount;
    return {kErrorOk, MoneyField(cash)};
}

// 6Eh: password; operator; amount (negative takes out). Only outside a receipt. Answer: the cash.
ModelAnswer RegisterModel::CashInOut(const std::vector<std::string>& fields) {
    int operatorNumber = 0;
    if (!ParseInt(Field(fields, 1), operatorNumber)) return {FieldFormatError(2), ""};
    if (ReceiptOpen(State)) return {kErrorDocumentState, ""};
    return MoveCash(Field(fields, 2), 3);
}

// 77h: password; operator (0 the receipt's own); amount. Inside a service-cash receipt only. Answer:
// the cash.
ModelAnswer RegisterModel::CashInOutInReceipt(const std::vector<std::string>& fields) {
    int operatorNumber = 0;
    if (!ParseInt(Field(fields, 1), operatorNumber)) return {FieldFormatError(2), ""};
    if (State.Document.Kind != DocumentKind::Service) return {kErrorDocumentState, ""};
    return MoveCash(Field(fields, 2), 3);
}

// A1h: password; type 0 Z, 1 X, 2 clearing of the control tape, 5 its unloading. A Z report closes
// the day: never with a receipt open; it gets the next report number and goes into the journal.
ModelAnswer RegisterModel::DailyReport(const std::vector<std::string>& fields) {
    int type = 0;
    if (!ParseType(fields, 1, {0, 1, 2, 5}, type)) return {FieldValueError(2), ""};
    if (ReceiptOpen(State)) return {kErrorDocumentState, ""};
    if (type == 2) ++State.Reports.TapeClears;
    if (type != 0) return {kErrorOk, ""};
    State.LastReportNumber = std::to_string(Number(State.LastReportNumber) + 1);
    const DateTime now = Clock();
    char date[16], time[16];
    std::snprintf(date, sizeof date, "%02d%02d%02d", now.Day % 100, now.Month % 100, now.Year % 100);
    std::snprintf(time, sizeof time, "%02d%02d", now.Hour % 100, now.Minute % 100);
    auto& journal = State.Reports.Journal;
    journal.push_back({journal.empty() ? 1 : journal.back().Number + 1, date, time});
    return {kErrorOk, ""};
}

// A6h, inside a non-fiscal receipt as the reports below: password; type 0 departments, 1 operators, 2 control
// tape; two empty fields.
ModelAnswer RegisterModel::ExtraDailyReport(const std::vector<std::string>& fields) {
    if (!InNonFiscal(State)) return {kErrorDocumentState, ""};
    int type = 0;
    if (!ParseType(fields, 1, {0, 1, 2}, type)) return {FieldValueError(2), ""};
    return {kErrorOk, ""};
}

// A2h: password; first and last date DDMMYY; type 0 short, 1 full.
ModelAnswer RegisterModel::PeriodicReportByDate(const std::vector<std::string>& fields) {
    if (!InNonFiscal(State)) return {kErrorDocumentState, ""};
    const std::string first = SortableDate(Field(fields, 1)), last = SortableDate(Field(fields, 2));
    if (first.empty() || last.empty()) return {kErrorDateFormat, ""};
    if (last < first) return {FieldValueError(3), ""};
    int type = 0;
    if (!ParseType(fields, 3, {0, 1}, type)) return {FieldValueError(4), ""};
    return {kErrorOk, ""};
}

// A3h: password; first and last report number among the Z reports made; type.
ModelAnswer RegisterModel::PeriodicReportByNumber(const std::vector<std::string>& fields) {
    if (!InNonFiscal(State)) return {kErrorDocumentState, ""};
    const std::string error = RangeError(fields, 1, 1, Number(State.LastReportNumber));
    if (error != kErrorOk) return {error, ""};
    int type = 0;
    if (!ParseType(fields, 3, {0, 1}, type)) return {FieldValueError(4), ""};
    return {kErrorOk, ""};
}

// A4h: password; first and last article code.
ModelAnswer RegisterModel::ArticleReport(const std::vector<std::string>& fields) {
    if (!InNonFiscal(State)) return {kErrorDocumentState, ""};
    return {RangeError(fields, 1, 0, 99999999999999LL), ""};
}

// A5h: password; first and last receipt number among those issued.
ModelAnswer RegisterModel::ReceiptCopyByNumber(const std::vector<std::string>& fields) {
    if (!InNonFiscal(State)) return {kErrorDocumentState, ""};
    return {RangeError(fields, 1, 1, Number(State.ReceiptNumber)), ""};
}

// EBh: password; first and last document number of the journal.
ModelAnswer RegisterModel::JournalCopyByNumber(const std::vector<std::string>& fields) {
    const auto& journal = State.Reports.Journal;
    if (journal.empty()) return {kErrorNoDocuments, ""};
    return {RangeError(fields, 1, journal.front().Number, journal.back().Number), ""};
}

// EEh: password; first date, time; last date, time; print flag. Answer: the first and last document
// of the journal inside that span.
ModelAnswer RegisterModel::JournalCopyByDate(const std::vector<std::string>& fields) {
    const std::string firstDate = SortableDate(Field(fields, 1)), lastDate = SortableDate(Field(fields, 3));
    if (firstDate.empty() || lastDate.empty()) return {kErrorDateFormat, ""};
    if (!IsTime(Field(fields, 2)) || !IsTime(Field(fields, 4))) return {kErrorTimeFormat, ""};
    int print = 0;
    if (!ParseType(fields, 5, {0, 1}, print)) return {FieldValueError(6), ""};
    const std::string from = firstDate + Field(fields, 2), to = lastDate + Field(fields, 4);
    int first = 0, last = 0;
    for (const JournalDocument& document : State.Reports.Journal) {
        const std::string at = SortableDate(document.Date) + document.Time;
        if (at < from || at > to) continue;
        if (first == 0) first = document.Number;
        last = document.Number;
    }
    if (first == 0) return {kErrorNoDocuments, ""};
    return {kErrorOk, JoinFields({std::to_string(first), std::to_string(last)})};
}

// 3Bh: password. Clears the article base; not inside a receipt.
ModelAnswer RegisterModel::ClearArticles(const std::vector<std::string>&) {
    if (ReceiptOpen(State)) return {kErrorDocumentState, ""};
    State.Articles.clear();
    return {kErrorOk, ""};
}

} // namespace regsim
