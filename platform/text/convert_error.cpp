#include "platform/text/convert_error.h"

#include "platform/text/text.h"

void RaiseConvertError(const std::string& format, const std::string& text) {
    std::string message = format;
    const size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, text);
    throw EConvertError(message);
}
