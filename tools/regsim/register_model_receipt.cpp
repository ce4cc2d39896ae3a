// The receipt commands of the simulated register: goods base, payment forms, fiscal and non-fiscal
// documents with sales, discounts, payments and cancellation, bar code and customer display. A
// command out of order is refused with the document-state error, as a register does.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

constexpr int kOperatorCount = 16;
constexpr int kTaxGroupCount = 16;
constexpr int64_t kLargestPercent = 9999; // hundredths: 99.99 %

std::string FieldAt(const std::vector<std::string>& fields, size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

template <class T> bool ParseWhole(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && ptr == end;
}

// A decimal text with "." and at most `decimals` digits after it, in units of 10^-decimals.
bool ParseDecimal(std::string text, int decimals, int64_t& units) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.erase(0, 1);
    const size_t point = text.find('.');
    std::string whole = text.substr(0, point),
                fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (whole.empty() || fraction.size() > static_cast<size_t>(decimals) || whole.size() > 12) return false;
    for (char c : whole + fraction)
        if (c < '0' || c > '9') return false;
    fraction.resize(decimals, '0');
    units = std::stoll(whole + fraction);
    if (negative) units = -units;
    return true;
}

ModelAnswer Ok(std::string data = "") {
    return {kErrorOk, std::move(data)};
}
ModelAnswer Refused(const char* error) {
    return {error, ""};
}

Receipt NewDocument(DocumentKind kind) {
    Receipt document;
    document.Kind = kind;
    return document;
}

// The forms the register announces in its diagnostic answer, at most the ten it holds.
int PaymentFormCount(const RegisterState& state) {
    int count = 0;
    if (!ParseWhole(state.PaymentTypes, count) || count <= 0) return static_cast<int>(kPaymentFormCount);
    return std::min(count, static_cast<int>(kPaymentFormCount));
}

} // namespace

std::array<PaymentForm, kPaymentFormCount> DefaultPaymentForms() {
    std::array<PaymentForm, kPaymentFormCount> forms;
    forms[0] = {0x83, "ГОТІВКА"};
    forms[1] = {0x03, "КАРТКА"};
    for (size_t i = 2; i < forms.size(); ++i)
        forms[i] = {0x03, "ОПЛАТА " + std::to_string(i)};
    return forms;
}

int64_t Receipt::Total() const {
    int64_t total = Adjustments;
    for (const SoldLine& line : Lines)
        total += line.Amount;
    return total;
}

int64_t Receipt::Paid() const {
    int64_t paid = 0;
    for (const Payment& payment : Payments)
        paid += payment.Amount;
    return paid;
}

std::string MoneyText(int64_t kopecks) {
    char text[32];
    const int64_t magnitude = kopecks < 0 ? -kopecks : kopecks;
    std::snprintf(text, sizeof text, "%s%lld.%02lld", kopecks < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 100), static_cast<long long>(magnitude % 100));
    return text;
}

// S2: the document state in the low four bits, 10h for a refund.
void RegisterModel::ShowDocumentState() {
    const Receipt& r = State.Document;
    int state = 0;
    if (r.Kind == DocumentKind::NonFiscal)
        state = 5;
    else if (r.Cancelling)
        state = 9;
    else if (r.Kind == DocumentKind::Service || (!r.Payments.empty() && r.Paid() >= r.Total()))
        state = 4; // 04h: the receipt may be closed
    else if (!r.Payments.empty())
        state = 3;
    else if (!r.Lines.empty())
        state = 2;
    else if (r.Fiscal())
        state = 1;
    State.Status[2] = static_cast<uint8_t>(state | (r.Kind == DocumentKind::Refund ? 0x10 : 0));
}

// 24h: password; code; name; price; tax group; department. Allowed in a receipt (a sale programs its
// article first).
ModelAnswer RegisterModel::AddArticle(const std::vector<std::string>& fields) {
    int64_t code = 0, price = 0;
    Article article;
    if (!ParseWhole(FieldAt(fields, 1), code) || code < 0) return {FieldFormatError(2), ""};
    article.Name = FieldAt(fields, 2);
    if (!ParseDecimal(FieldAt(fields, 3), 2, price) || price < 0) return {FieldFormatError(4), ""};
    article.Price = price;
    if (!ParseWhole(FieldAt(fields, 4), article.TaxGroup) || article.TaxGroup < 0 ||
        article.TaxGroup >= kTaxGroupCount)
        return {FieldValueError(5), ""};
    if (!ParseWhole(FieldAt(fields, 5), article.Department)) return {FieldFormatError(6), ""};
    State.Articles[code] = article;
    return Ok();
}

// 2Dh: password; number; mask (two hex digits); name. Not while a document is open.
ModelAnswer RegisterModel::SetPaymentForm(const std::vector<std::string>& fields) {
    int number = 0, mask = 0;
    if (State.Document.Kind != DocumentKind::None) return Refused(kErrorDocumentState);
    if (!ParseWhole(FieldAt(fields, 1), number)) return {FieldFormatError(2), ""};
    if (number < 0 || number >= PaymentFormCount(State)) return {FieldValueError(2), ""};
    const std::string maskText = FieldAt(fields, 2);
    auto [ptr, error] = std::from_chars(maskText.data(), maskText.data() + maskText.size(), mask, 16);
    if (maskText.size() != 2 || error != std::errc() || ptr != maskText.data() + 2)
        return {FieldFormatError(3), ""};
    State.PaymentForms[number] = {mask, FieldAt(fields, 3)};
    return Ok();
}

// 2Eh: password; number. Answer: mask; name.
ModelAnswer RegisterModel::GetPaymentForm(const std::vector<std::string>& fields) {
    int number = 0;
    if (!ParseWhole(FieldAt(fields, 1), number)) return {FieldFormatError(2), ""};
    if (number < 0 || number >= PaymentFormCount(State)) return {FieldValueError(2), ""};
    const PaymentForm& form = State.PaymentForms[number];
    char mask[3];
    std::snprintf(mask, sizeof mask, "%02X", form.Mask & 0xFF);
    return Ok(std::string(mask) + ";" + form.Name + ";");
}

ModelAnswer RegisterModel::OpenNonFiscal(const std::vector<std::string>&) {
    if (State.Document.Kind != DocumentKind::None) return Refused(kErrorDocumentState);
    State.Document = NewDocument(DocumentKind::NonFiscal);
    ShowDocumentState();
    return Ok();
}

// 61h: password; text. Inside an open document only.
ModelAnswer RegisterModel::PrintLine(const std::vector<std::string>& fields) {
    if (State.Document.Kind == DocumentKind::None) return Refused(kErrorDocumentState);
    State.Document.Printed.push_back(FieldAt(fields, 1));
    return Ok();
}

// 63h: password; operator; till; 0 sale, 1 refund, 2 service cash.
ModelAnswer RegisterModel::OpenReceipt(const std::vector<std::string>& fields) {
    int operatorNumber = 0, till = 0, refund = 0;
    if (State.Document.Kind != DocumentKind::None) return Refused(kErrorDocumentState);
    if (!ParseWhole(FieldAt(fields, 1), operatorNumber)) return {FieldFormatError(2), ""};
    if (operatorNumber < 1 || operatorNumber > kOperatorCount) return {FieldValueError(2), ""};
    if (!ParseWhole(FieldAt(fields, 2), till)) return {FieldFormatError(3), ""};
    if (!ParseWhole(FieldAt(fields, 3), refund) || refund < 0 || refund > 2) return {FieldValueError(4), ""};
    const DocumentKind kinds[] = {DocumentKind::Sale, DocumentKind::Refund, DocumentKind::Service};
    State.Document = NewDocument(kinds[refund]);
    ShowDocumentState();
    return Ok();
}

// 64h: password; code; quantity; price. Before the first payment only; during a cancellation the
// line is taken back.
ModelAnswer RegisterModel::Sell(const std::vector<std::string>& fields) {
    Receipt& r = State.Document;
    if (!r.Fiscal() || !r.Payments.empty()) return Refused(kErrorDocumentState);
    int64_t code = 0, quantity = 0, price = 0;
    if (!ParseWhole(FieldAt(fields, 1), code)) return {FieldFormatError(2), ""};
    const auto article = State.Articles.find(code);
    if (article == State.Articles.end()) return Refused(kErrorArticleNotFound);
    if (!ParseDecimal(FieldAt(fields, 2), 3, quantity) || quantity <= 0) return Refused(kErrorQuantity);
    if (!ParseDecimal(FieldAt(fields, 3), 2, price) || price < 0) return Refused(kErrorPrice);
    int64_t amount = static_cast<int64_t>(std::llround(static_cast<double>(quantity) * price / 1000.0));
    if (r.Cancelling) {
        if (amount > r.Total()) return Refused(kErrorCancelNotFound);
        amount = -amount;
    }
    r.Lines.push_back({code, amount, article->second.TaxGroup});
    ShowDocumentState();
    return Ok();
}

// 65h: password; flag. A fiscal receipt closes once it is paid in full.
ModelAnswer RegisterModel::CloseDocument(const std::vector<std::string>&) {
    Receipt& r = State.Document;
    if (r.Kind == DocumentKind::None || r.Cancelling) return Refused(kErrorDocumentState);
    if (r.Fiscal() && (r.Lines.empty() || r.Paid() < r.Total())) return Refused(kErrorDocumentState);
    if (r.Fiscal()) {
        int number = 0;
        ParseWhole(State.ReceiptNumber, number);
        State.ReceiptNumber = std::to_string(number + 1);
    }
    r = Receipt{};
    ShowDocumentState();
    return Ok();
}

ModelAnswer RegisterModel::TakePayment(int type, const std::string& amountText,
                                       const std::string& transactionId) {
    Receipt& r = State.Document;
    if (!r.Fiscal() || r.Lines.empty() || r.Cancelling || r.Paid() >= r.Total())
        return Refused(kErrorDocumentState);
    if (type < 0 || type >= PaymentFormCount(State)) return {FieldValueError(2), ""};
    const int needed = r.Kind == DocumentKind::Refund ? 0x02 : 0x01;
    if ((State.PaymentForms[type].Mask & needed) == 0) return Refused(kErrorPaymentForm);
    int64_t amount = 0;
    if (!ParseDecimal(amountText, 2, amount) || amount <= 0) return {FieldValueError(3), ""};
    if (r.Paid() + amount > r.Total() && (State.PaymentForms[type].Mask & 0x80) == 0)
        return Refused(kErrorNoChange);
    r.Payments.push_back({type, amount, transactionId});
    ShowDocumentState();
    return Ok();
}

// 67h: password; type; amount.
ModelAnswer RegisterModel::Pay(const std::vector<std::string>& fields) {
    int type = 0;
    if (!ParseWhole(FieldAt(fields, 1), type)) return {FieldFormatError(2), ""};
    return TakePayment(type, FieldAt(fields, 2), "");
}

// 78h: password; type; amount; transaction identifier of the bank terminal.
ModelAnswer RegisterModel::PayByCard(const std::vector<std::string>& fields) {
    int type = 0;
    if (!ParseWhole(FieldAt(fields, 1), type)) return {FieldFormatError(2), ""};
    const std::string identifier = FieldAt(fields, 3);
    if (identifier.empty() || fields.size() != 4) return {FieldFormatError(4), ""};
    return TakePayment(type, FieldAt(fields, 2), identifier);
}

// A discount (negative) or surcharge on a base sum, before any payment.
ModelAnswer RegisterModel::Adjust(int64_t base, const std::string& value, bool percent) {
    Receipt& r = State.Document;
    int64_t units = 0;
    if (!ParseDecimal(value, 2, units)) return {FieldFormatError(2), ""};
    if (percent && (units > kLargestPercent || units < -kLargestPercent)) return Refused(kErrorDiscountRange);
    const int64_t change = percent ? std::llround(static_cast<double>(base) * units / 10000.0) : units;
    if (base + change < 0) return Refused(kErrorDiscountRange);
    r.Adjustments += change;
    ShowDocumentState();
    return Ok();
}

namespace {
bool MayAdjust(const Receipt& r) {
    return r.Fiscal() && !r.Lines.empty() && r.Payments.empty() && !r.Cancelling;
}
} // namespace

// 68h, 69h: on the last line sold.
ModelAnswer RegisterModel::ItemPercent(const std::vector<std::string>& fields) {
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    return Adjust(State.Document.Lines.back().Amount, FieldAt(fields, 1), true);
}
ModelAnswer RegisterModel::ItemAbsolute(const std::vector<std::string>& fields) {
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    return Adjust(State.Document.Lines.back().Amount, FieldAt(fields, 1), false);
}

// 73h, 74h: on the receipt's sum so far.
ModelAnswer RegisterModel::SubtotalPercent(const std::vector<std::string>& fields) {
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    return Adjust(State.Document.Total(), FieldAt(fields, 1), true);
}
ModelAnswer RegisterModel::SubtotalAbsolute(const std::vector<std::string>& fields) {
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    return Adjust(State.Document.Total(), FieldAt(fields, 1), false);
}

namespace {
// The sum of the lines of one tax group; false when the field is no tax group.
bool TaxGroupSum(const Receipt& r, const std::string& field, int64_t& sum) {
    int group = 0;
    if (!ParseWhole(field, group) || group < 0 || group >= kTaxGroupCount) return false;
    sum = 0;
    for (const SoldLine& line : r.Lines)
        if (line.TaxGroup == group) sum += line.Amount;
    return true;
}
} // namespace

// 75h, 76h: password; value; tax group. On the lines of that group.
ModelAnswer RegisterModel::TaxGroupPercent(const std::vector<std::string>& fields) {
    int64_t sum = 0;
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    if (!TaxGroupSum(State.Document, FieldAt(fields, 2), sum)) return {FieldValueError(3), ""};
    return Adjust(sum, FieldAt(fields, 1), true);
}
ModelAnswer RegisterModel::TaxGroupAbsolute(const std::vector<std::string>& fields) {
    int64_t sum = 0;
    if (!MayAdjust(State.Document)) return Refused(kErrorDocumentState);
    if (!TaxGroupSum(State.Document, FieldAt(fields, 2), sum)) return {FieldValueError(3), ""};
    return Adjust(sum, FieldAt(fields, 1), false);
}

// 6Bh: password; 0 voids the whole receipt, 1 starts a cancellation, 2 ends it, 3 abandons it.
ModelAnswer RegisterModel::Cancel(const std::vector<std::string>& fields) {
    Receipt& r = State.Document;
    int type = 0;
    if (!ParseWhole(FieldAt(fields, 1), type) || type < 0 || type > 3) return {FieldValueError(2), ""};
    if (!r.Fiscal() || !r.Payments.empty()) return Refused(kErrorDocumentState);
    if (type == 0)
        r = Receipt{};
    else if (type == 1 && r.Cancelling)
        return Refused(kErrorCancelStart);
    else if (type != 1 && !r.Cancelling)
        return Refused(kErrorCancelNotFound);
    else
        r.Cancelling = type == 1;
    ShowDocumentState();
    return Ok();
}

// 6Dh: password; display flag. Answer: the receipt's sum.
ModelAnswer RegisterModel::Subtotal(const std::vector<std::string>&) {
    if (!State.Document.Fiscal()) return Refused(kErrorDocumentState);
    return Ok(MoneyText(State.Document.Total()) + ";");
}

// 6Fh: password; bar height; 113 modules packed into 32 hexadecimal digits.
ModelAnswer RegisterModel::PrintBarcode(const std::vector<std::string>& fields) {
    int height = 0;
    if (!ParseWhole(FieldAt(fields, 1), height) || height < 1 || height > 255)
        return {FieldValueError(2), ""};
    const std::string modules = FieldAt(fields, 2);
    if (modules.size() != 32 || modules.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return {FieldFormatError(3), ""};
    if (State.Document.Kind != DocumentKind::None) State.Document.Printed.push_back("EAN-13 " + modules);
    return Ok();
}

// 81h: password; function (0 clear, 1 upper line, 2 lower line, 3 date and time); value; text.
ModelAnswer RegisterModel::Display(const std::vector<std::string>& fields) {
    int function = 0, value = 0;
    if (!ParseWhole(FieldAt(fields, 1), function) || function < 0 || function > 3)
        return {FieldValueError(2), ""};
    if (!ParseWhole(FieldAt(fields, 2), value)) return {FieldFormatError(3), ""};
    if (function == 0) State.DisplayUpper.clear(), State.DisplayLower.clear();
    if (function == 1) State.DisplayUpper = FieldAt(fields, 3);
    if (function == 2) State.DisplayLower = FieldAt(fields, 3);
    return Ok();
}

} // namespace regsim
