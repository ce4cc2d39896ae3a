#include "dialogs/setup/hex_text.h"

int LeadingHex(const std::string& text, bool lowerCaseToo) {
    int value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (lowerCaseToo && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || value > 0x7FFFFFF) break; // a longer text stops before the value overflows
        value = value * 16 + digit;
    }
    return value;
}
