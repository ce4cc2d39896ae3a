#include "controls/variant.h"

std::string Variant::AsText() const {
    switch (kind_) {
    case Text:
        return text_;
    case Date:
        return DateToStr(date_);
    default:
        return "";
    }
}

TDateTime Variant::AsDate() const {
    switch (kind_) {
    case Date:
        return date_;
    case Text:
        return StrToDate(text_);
    default:
        return 0;
    }
}
