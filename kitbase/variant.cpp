#include "kitbase/variant.h"

#include "platform/text/text.h"

bool VarIsEmpty(const TVariant& value) {
    return std::holds_alternative<std::monostate>(value);
}

bool VarIsNull(const TVariant& value) {
    return std::holds_alternative<TNullValue>(value);
}

std::string VarToStr(const TVariant& value) {
    if (auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
    if (auto* number = std::get_if<int64_t>(&value)) return IntToStr(*number);
    if (auto* real = std::get_if<double>(&value)) return FloatToStr(*real);
    if (auto* text = std::get_if<std::string>(&value)) return *text;
    return "";
}
