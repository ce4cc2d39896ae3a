#pragma once
// The message of the conversion error a call raises, or "no error".
#include <functional>
#include <string>

#include "platform/text/text.h"

inline std::string ConvertErrorOf(const std::function<void()>& convert) {
    try {
        convert();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}
