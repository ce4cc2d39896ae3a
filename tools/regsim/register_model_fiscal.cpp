// The fiscal commands of the simulated register: fiscalisation, factory, fiscal and tax numbers,
// tax groups, the fiscal memory and the restart.
#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/text/text.h"
#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

// Error fields, detail then class.
const char* const kErrorWriteLock = "0605";  // erFIS_WriteLock: not after fiscalisation
const char* const kErrorDateNotSet = "0805"; // erFIS_DateIsNoSet
const char* const kErrorBusy = "0105";       // erFIS_Write: still writing the fiscal memory
const char* const kErrorMismatch = "0008";   // rErrMatch: factory number differs
const char* const kErrorOutOfArea = "0209";  // rErrOutArea: beyond the fiscal memory

const std::string& Field(const std::vector<std::string>& fields, size_t index) {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

// Decimal digits only (an optional leading "-" when negatives are allowed).
bool ParseNumber(const std::string& text, long long& value, bool negative = false) {
    if (text.empty() || (text[0] == '-' && !negative)) return false;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end;
}

bool AllDigits(const std::string& text, size_t maxSize) {
    if (text.size() > maxSize) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A rate such as "20", "7.5" or "20.00": up to two digits before and after the point.
bool ValidRate(const std::string& text) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    return !whole.empty() && AllDigits(whole, 2) && AllDigits(fraction, 2) &&
           (point == std::string::npos || !fraction.empty());
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string HexBytes(const uint8_t* bytes, size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

bool PasswordLike(const std::string& text) {
    return text.size() == 6 && AllDigits(text, 6);
}

} // namespace

uint8_t FiscalMemoryPattern(size_t address) {
    return static_cast<uint8_t>(address * 131 + (address >> 8) * 17 + (address >> 16) * 5 + 7);
}

std::vector<uint8_t> PatternedFiscalMemory() {
    std::vector<uint8_t> memory(kFiscalMemorySize);
    for (size_t address = 0; address < memory.size(); ++address)
        memory[address] = FiscalMemoryPattern(address);
    return memory;
}

std::optional<ModelAnswer> RegisterModel::Unavailable() {
    FiscalData& fiscal = State.Fiscal;
    if (std::chrono::steady_clock::now() < fiscal.RestartEnds) return ModelAnswer{kErrorOk, "", true};
    if (fiscal.BusyLeft > 0) {
        --fiscal.BusyLeft;
        return ModelAnswer{kErrorBusy, ""};
    }
    return std::nullopt;
}

// 40h: password; factory number; tax inspector's password. Before fiscalisation the password is the
// access password and the third field becomes the inspector's; afterwards the first field must be
// the inspector's password and the third replaces it.
ModelAnswer RegisterModel::Fiscalize(const std::vector<std::string>& fields) {
    FiscalData& fiscal = State.Fiscal;
    const std::string& expected = fiscal.FiscalMode ? fiscal.InspectorPassword : State.Password;
    if (Field(fields, 0) != expected) return {kErrorPassword, ""};
    if (Field(fields, 1) != State.FactoryNumber) return {kErrorMismatch, ""};
    if (!PasswordLike(Field(fields, 2))) return {FieldFormatError(3), ""};
    if (!fiscal.FiscalMode && State.Resources.MayFiscalize != "1") return {kErrorWriteLock, ""};
    fiscal.InspectorPassword = Field(fields, 2);
    if (!fiscal.FiscalMode) {
        fiscal.FiscalMode = true;
        fiscal.BusyLeft = fiscal.BusyAfterFiscalize;
        State.Resources.MayFiscalize = "0";
    }
    return {kErrorOk, ""};
}

// 41h: password; factory number of 7 to 11 characters. Once only, and only after the clock was set.
ModelAnswer RegisterModel::SetSerialNumber(const std::vector<std::string>& fields) {
    const std::string number = Field(fields, 1);
    const size_t size = CharCount(number);
    if (size < 7 || size > 11) return {FieldFormatError(2), ""};
    if (State.Resources.MayWriteFactoryNumber != "1") return {kErrorWriteLock, ""};
    if (!State.Fiscal.ClockSet) return {kErrorDateNotSet, ""};
    State.FactoryNumber = number;
    State.Resources.MayWriteFactoryNumber = "0";
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetSerialNumber(const std::vector<std::string>&) {
    return {kErrorOk, State.FactoryNumber + ";"};
}

// 43h: password; fiscal number of up to 10 digits (empty clears it).
ModelAnswer RegisterModel::SetFiscalNumber(const std::vector<std::string>& fields) {
    if (State.Fiscal.FiscalMode) return {kErrorWriteLock, ""};
    if (!AllDigits(Field(fields, 1), 10)) return {FieldFormatError(2), ""};
    State.FiscalNumber = Field(fields, 1);
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetFiscalNumber(const std::vector<std::string>&) {
    return {kErrorOk, State.FiscalNumber + ";"};
}

// 45h: password; identification number (up to 12 digits); tax number (up to 13 digits).
ModelAnswer RegisterModel::SetTaxIdNumber(const std::vector<std::string>& fields) {
    if (State.Fiscal.FiscalMode) return {kErrorWriteLock, ""};
    if (!AllDigits(Field(fields, 1), 12)) return {FieldFormatError(2), ""};
    if (!AllDigits(Field(fields, 2), 13)) return {FieldFormatError(3), ""};
    State.Fiscal.IdNumber = Field(fields, 1);
    State.TaxNumber = Field(fields, 2);
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetTaxIdNumber(const std::vector<std::string>&) {
    return {kErrorOk, State.Fiscal.IdNumber + ";" + State.TaxNumber + ";"};
}

// 47h: password; tax 0..4; kind as two hex digits 00..07; rate; name; linked group (-1, or another tax).
ModelAnswer RegisterModel::SetTaxes(const std::vector<std::string>& fields) {
    if (State.Fiscal.FiscalMode) return {kErrorWriteLock, ""};
    long long tax = 0, linked = 0;
    if (!ParseNumber(Field(fields, 1), tax)) return {FieldFormatError(2), ""};
    if (tax > 4) return {FieldValueError(2), ""};
    const std::string& kind = Field(fields, 2);
    if (kind.size() != 2 || HexDigit(kind[0]) < 0 || HexDigit(kind[1]) < 0) return {FieldFormatError(3), ""};
    const int kindCode = HexDigit(kind[0]) * 16 + HexDigit(kind[1]);
    if (kindCode > 7) return {FieldValueError(3), ""};
    if (!ValidRate(Field(fields, 3))) return {FieldFormatError(4), ""};
    if (CharCount(Field(fields, 4)) > 19) return {FieldFormatError(5), ""};
    if (!ParseNumber(Field(fields, 5), linked, true)) return {FieldFormatError(6), ""};
    if (linked < -1 || linked > 4 || linked == tax) return {FieldValueError(6), ""};
    State.Fiscal.Taxes[tax] = {kindCode, Field(fields, 3), Field(fields, 4), static_cast<int>(linked)};
    return {kErrorOk, ""};
}

// 48h: password; tax 0..4. Answer: kind (decimal); rate; name; linked group.
ModelAnswer RegisterModel::GetTaxes(const std::vector<std::string>& fields) {
    long long tax = 0;
    if (!ParseNumber(Field(fields, 1), tax)) return {FieldFormatError(2), ""};
    if (tax > 4) return {FieldValueError(2), ""};
    const TaxGroup& group = State.Fiscal.Taxes[tax];
    return {kErrorOk, std::to_string(group.Kind) + ";" + group.Rate + ";" + group.Name + ";" +
                          std::to_string(group.Linked) + ";"};
}

// F0h: password. Erases the whole fiscal memory to FFh; refused once the register is fiscal.
ModelAnswer RegisterModel::ClearFiscalMemory(const std::vector<std::string>&) {
    if (State.Fiscal.FiscalMode) return {kErrorWriteLock, ""};
    std::fill(State.Fiscal.Memory.begin(), State.Fiscal.Memory.end(), uint8_t{0xFF});
    return {kErrorOk, ""};
}

// F1h: password; address. Answer: the number of bytes (50, fewer at the end of the memory) and the
// bytes as upper-case hex.
ModelAnswer RegisterModel::ReadFiscalMemory(const std::vector<std::string>& fields) {
    long long address = 0;
    if (!ParseNumber(Field(fields, 1), address)) return {FieldFormatError(2), ""};
    const std::vector<uint8_t>& memory = State.Fiscal.Memory;
    if (static_cast<unsigned long long>(address) > memory.size()) return {kErrorOutOfArea, ""};
    const size_t count = std::min(kFiscalBlockMax, memory.size() - static_cast<size_t>(address));
    return {kErrorOk, std::to_string(count) + ";" + HexBytes(memory.data() + address, count) + ";"};
}

// F2h: password; address; count 1..50; exactly 100 hex digits, of which the first 2 x count are
// written (the rest is padding and only has to be hex).
ModelAnswer RegisterModel::WriteFiscalMemory(const std::vector<std::string>& fields) {
    if (State.Fiscal.FiscalMode) return {kErrorWriteLock, ""};
    long long address = 0, count = 0;
    if (!ParseNumber(Field(fields, 1), address)) return {FieldFormatError(2), ""};
    if (!ParseNumber(Field(fields, 2), count)) return {FieldFormatError(3), ""};
    if (count < 1 || count > static_cast<long long>(kFiscalBlockMax)) return {FieldValueError(3), ""};
    const std::string& hex = Field(fields, 3);
    if (hex.size() != kFiscalBlockMax * 2) return {FieldFormatError(4), ""};
    for (char c : hex)
        if (HexDigit(c) < 0) return {FieldFormatError(4), ""};
    std::vector<uint8_t>& memory = State.Fiscal.Memory;
    if (static_cast<unsigned long long>(address + count) > memory.size()) return {kErrorOutOfArea, ""};
    for (long long i = 0; i < count; ++i)
        memory[address + i] = static_cast<uint8_t>(HexDigit(hex[2 * i]) * 16 + HexDigit(hex[2 * i + 1]));
    return {kErrorOk, ""};
}

// F3h: password. Answers, then is silent for RestartMs.
ModelAnswer RegisterModel::Restart(const std::vector<std::string>&) {
    State.Fiscal.RestartEnds =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(State.Fiscal.RestartMs);
    return {kErrorOk, ""};
}

} // namespace regsim
