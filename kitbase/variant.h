#pragma once
// TVariant: the library's variant as far as the kit needs it: unassigned, null, a boolean, an integer,
// a floating-point number or a text.
#include <cstdint>
#include <string>
#include <variant>

struct TNullValue {
    bool operator==(const TNullValue&) const = default;
};

using TVariant = std::variant<std::monostate, TNullValue, bool, int64_t, double, std::string>;

inline const TVariant Unassigned{};
inline const TVariant Null{TNullValue{}};

bool VarIsEmpty(const TVariant& value);
bool VarIsNull(const TVariant& value);
// The value as text: "" for unassigned and null, "True"/"False", decimal integers, the library's
// float text (decimal separator of the program) and texts as they are.
std::string VarToStr(const TVariant& value);
