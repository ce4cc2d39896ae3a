#pragma once
// EAN-13 barcodes printed by the register from a row of modules sent as hexadecimal text (6Fh).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/answer_record.h"

// 113 modules of the symbol with its quiet zones, padded with spaces to 128; 1 = bar.
using Ean13Row = std::array<uint8_t, 128>;

bool IsEan13Code(std::string_view code);            // exactly twelve digits
int Ean13CheckDigit(std::string_view twelveDigits); // weights 3, 1, 3 ... from the right
Ean13Row Ean13Modules(std::string_view thirteenDigits);
std::string PackModules(const Ean13Row& row); // four modules to a hex digit: 32 characters

// Appends the check digit and prints the code as a bar of the given height in pixel lines.
// A code that is not twelve digits is refused with RefusalBarcode; error may be null.
AnswerRecord* PrintEAN13Code(const std::string& password, int height, const std::string& code, int* error);
