#pragma once
// The benches' numbers with "." in every locale: printf's %f follows the C library's locale, which
// Qt sets from the desktop (a Russian one prints "49,1").
#include <string>

#include "platform/text/text.h"

// Fixed notation, right-aligned in `width` characters like printf's "%7.1f".
inline std::string Fixed(double value, int decimals, int width = 0) {
    std::string text = FixedToStr(value, decimals, '.');
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}
