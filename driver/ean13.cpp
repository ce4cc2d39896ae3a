#include "driver/ean13.h"

#include <algorithm>

#include "driver/formatters.h"
#include "driver/formatters_common.h"

namespace {

constexpr size_t CodeDigits = 12;
constexpr size_t DigitModules = 7;
constexpr size_t StartGuardAt = 9;
constexpr size_t LeftDigitsAt = 12;
constexpr size_t CentreGuardAt = 54;
constexpr size_t RightDigitsAt = 59;
constexpr size_t EndGuardAt = 101;

// Set C (right half) bit patterns, most significant module first; set A is its complement and
// set B its mirror image.
constexpr uint8_t SetC[10] = {0x72, 0x66, 0x6C, 0x42, 0x5C, 0x4E, 0x50, 0x44, 0x48, 0x74};
// Per first digit, which of the six left digits use set B (bit 5 = the first of them).
constexpr uint8_t ParityB[10] = {0x00, 0x0B, 0x0D, 0x0E, 0x13, 0x19, 0x1C, 0x15, 0x16, 0x1A};

uint8_t Reversed7(uint8_t bits) {
    uint8_t result = 0;
    for (size_t i = 0; i < DigitModules; ++i)
        result |= ((bits >> i) & 1) << (DigitModules - 1 - i);
    return result;
}

uint8_t LeftPattern(int digit, bool setB) {
    return setB ? Reversed7(SetC[digit]) : static_cast<uint8_t>(~SetC[digit] & 0x7F);
}

void PutBits(Ean13Row& row, size_t at, uint8_t bits, size_t count) {
    for (size_t i = 0; i < count; ++i)
        row[at + i] = (bits >> (count - 1 - i)) & 1;
}

int DigitAt(std::string_view digits, size_t index) {
    return digits[index] - '0';
}

} // namespace

bool IsEan13Code(std::string_view code) {
    return code.size() == CodeDigits &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Ean13CheckDigit(std::string_view twelveDigits) {
    int sum = 0;
    int weight = 3;
    for (auto it = twelveDigits.rbegin(); it != twelveDigits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

Ean13Row Ean13Modules(std::string_view thirteenDigits) {
    Ean13Row row{};
    PutBits(row, StartGuardAt, 0b101, 3);
    PutBits(row, CentreGuardAt, 0b01010, 5);
    PutBits(row, EndGuardAt, 0b101, 3);
    uint8_t parity = ParityB[DigitAt(thirteenDigits, 0)];
    for (size_t i = 0; i < 6; ++i) {
        bool setB = (parity >> (5 - i)) & 1;
        PutBits(row, LeftDigitsAt + i * DigitModules, LeftPattern(DigitAt(thirteenDigits, 1 + i), setB),
                DigitModules);
        PutBits(row, RightDigitsAt + i * DigitModules, SetC[DigitAt(thirteenDigits, 7 + i)], DigitModules);
    }
    return row;
}

std::string PackModules(const Ean13Row& row) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (size_t k = 0; k < row.size(); k += 4) {
        int nibble = row[k] << 3 | row[k + 1] << 2 | row[k + 2] << 1 | row[k + 3];
        text.push_back(Hex[nibble]);
    }
    return text;
}

AnswerRecord* PrintEAN13Code(const std::string& password, int height, const std::string& code, int* error) {
    if (!IsEan13Code(code)) return Refuse(0x6F, RefusalBarcode, error);
    std::string digits = code + static_cast<char>('0' + Ean13CheckDigit(code));
    return SendData(0x6F, DataText(password).Int(height).Text(PackModules(Ean13Modules(digits))), error);
}
