#include <gtest/gtest.h>

#include "tools/regterm/cp1251.h"

namespace {

TEST(TerminalCp1251, LettersAndNumberSignBecomeTheirBytesAndTheRestIsRefused) {
    const struct {
        std::string text;
        std::optional<std::string> bytes;
    } cases[] = {
        {"VISA 12", "VISA 12"},
        {"ПриватБанк", "\xCF\xF0\xE8\xE2\xE0\xF2\xC1\xE0\xED\xEA"},
        {"яЁёЇїІіЄєҐґ", "\xFF\xA8\xB8\xAF\xBF\xB2\xB3\xAA\xBA\xA5\xB4"},
        {"TXN№5", "TXN\xB9"
                  "5"},
        {"", ""},
        {"€", std::nullopt}, // not among the terminal's characters
        {"中", std::nullopt},
        {"\xCF\xF0", std::nullopt}, // already CP1251: not UTF-8
        {"\xE0\x80\x80", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(regterm::Utf8ToCp1251(c.text), c.bytes) << c.text;
}

} // namespace
