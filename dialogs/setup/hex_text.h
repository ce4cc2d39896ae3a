#pragma once
#include <string>

// The value of the hexadecimal digits at the start of text, up to the first other character (an
// empty text gives 0). Text from the register has upper-case letters only: with lowerCaseToo false a
// lower-case letter ends it.
int LeadingHex(const std::string& text, bool lowerCaseToo = true);
