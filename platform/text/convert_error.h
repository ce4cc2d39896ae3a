#pragma once
// The one place that words the conversion errors: the library's message with the text in place of %s.
#include <string>

[[noreturn]] void RaiseConvertError(const std::string& format, const std::string& text);
