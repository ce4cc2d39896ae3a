#pragma once
// The class library's variant as the controls exchange it: null, empty, a text, a date, or an array.
#include <string>
#include <variant>
#include <vector>

#include "platform/text/text.h"

class Variant {
public:
    enum Kind { Null, Empty, Text, Date, Array };
    Variant() = default; // null
    static Variant MakeEmpty() {
        Variant v;
        v.kind_ = Empty;
        return v;
    }
    Variant(const std::string& text) : kind_(Text), text_(text) {}
    Variant(const char* text) : Variant(std::string(text)) {}
    static Variant FromDate(TDateTime date) {
        Variant v;
        v.kind_ = Date;
        v.date_ = date;
        return v;
    }
    static Variant FromArray(std::vector<Variant> items) {
        Variant v;
        v.kind_ = Array;
        v.items_ = std::move(items);
        return v;
    }
    Kind kind() const { return kind_; }
    bool IsNull() const { return kind_ == Null; }
    bool IsEmpty() const { return kind_ == Empty; }
    // A text as it is, a date in the short date format, null and empty as "".
    std::string AsText() const;
    // A date as it is, a text parsed as a short date (raising EConvertError when it is none), null 0.
    TDateTime AsDate() const;
    const std::vector<Variant>& Items() const { return items_; }
    bool operator==(const Variant&) const = default;

private:
    Kind kind_ = Null;
    std::string text_;
    TDateTime date_ = 0;
    std::vector<Variant> items_;
};
