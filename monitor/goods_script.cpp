#include "monitor/goods_script.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "driver/formatters_common.h"

namespace {

constexpr int ReceiptTill = 1; // the till number of the opened receipt
constexpr int NotAReturn = 0;  // a sale receipt, not a return
constexpr double SoldQuantity = 1.0;
constexpr int PrintTheTotal = 1;
constexpr int CloseFlag = 0;

// The code in two upper-case hexadecimal digits, then the data text.
std::string ScriptLine(unsigned code, const DataText& data) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", code & 0xFF);
    return digits + data.Str() + "\n";
}

// The i-th code of the range, i below its count: never beyond Last, so nothing overflows.
int64_t CodeAt(const GoodsRange& range, int64_t i) {
    return static_cast<int64_t>(static_cast<uint64_t>(range.First) +
                                static_cast<uint64_t>(i) * static_cast<uint64_t>(range.Step));
}

// Each article of the range: code, name, price, tax group, department, then the two fields the
// register keeps for later use.
void WriteProgramming(const GoodsScript& s, std::ostream& out, const GoodsProgress& progress) {
    const int64_t total = CodesInRange(s.Programmed);
    if (progress) progress(GoodsStage::Programming, 0, total);
    int64_t done = 0;
    for (int64_t i = 0; i < total; ++i) {
        const int64_t code = CodeAt(s.Programmed, i);
        DataText data(s.ProgrammingPassword);
        data.Int(code).Text(s.NamePrefix + std::to_string(code)).Money(s.Price);
        data.Int(s.TaxGroup).Int(s.GoodsGroup).Text("00").Int(0);
        out << ScriptLine(0x24, data);
        if (progress) progress(GoodsStage::Programming, ++done, total);
    }
}

void WriteReceipt(const GoodsScript& s, std::ostream& out, const GoodsProgress& progress) {
    const std::string& password = s.SalePassword;
    out << ScriptLine(0x63, DataText(password).Int(s.OperatorNumber).Int(ReceiptTill).Int(NotAReturn));
    const int64_t total = CodesInRange(s.Sold);
    if (progress) progress(GoodsStage::Selling, 0, total);
    int64_t done = 0;
    for (int64_t i = 0; i < total; ++i) {
        const int64_t code = CodeAt(s.Sold, i);
        out << ScriptLine(0x64, DataText(password).Int(code).Quantity(SoldQuantity).Money(s.Price));
        if (progress) progress(GoodsStage::Selling, ++done, total);
    }
    out << ScriptLine(0x6C, DataText(password));
    out << ScriptLine(0x6D, DataText(password).Int(PrintTheTotal));
    out << ScriptLine(0x67, DataText(password).Int(s.PaymentType).Money(s.PaymentSum));
    out << ScriptLine(0x65, DataText(password).Int(CloseFlag));
}

} // namespace

int64_t CodesInRange(const GoodsRange& range) {
    if (range.Step <= 0 || range.Last < range.First) return 0;
    const uint64_t steps = (static_cast<uint64_t>(range.Last) - static_cast<uint64_t>(range.First)) /
                           static_cast<uint64_t>(range.Step);
    return steps >= static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(steps) + 1;
}

bool RangeFits(const GoodsRange& range) {
    return range.Step > 0 && CodesInRange(range) <= GoodsRangeLimit;
}

double PaymentForRange(const GoodsRange& sold, double price) {
    return std::round(static_cast<double>(CodesInRange(sold)) * price * 100.0) / 100.0;
}

void WriteGoodsScript(const GoodsScript& script, std::ostream& out, const GoodsProgress& progress) {
    if (script.ProgramGoods && RangeFits(script.Programmed)) WriteProgramming(script, out, progress);
    if (script.SellGoods && RangeFits(script.Sold)) WriteReceipt(script, out, progress);
}
