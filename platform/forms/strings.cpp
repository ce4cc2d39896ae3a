#include "platform/forms/strings.h"

#include "platform/forms/errors.h"

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) == text) return i;
    return -1;
}

void TStrings::Assign(const std::vector<std::string>& texts) {
    Clear();
    for (const auto& text : texts)
        Add(text);
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    Assign(other.ToVector());
}

void TStrings::AddStrings(std::initializer_list<std::string> texts) {
    for (const auto& text : texts)
        Add(text);
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> texts;
    for (int i = 0; i < Count(); ++i)
        texts.push_back(Strings(i));
    return texts;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i)
        text += Strings(i) + "\n";
    return text;
}

void TStrings::SetText(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    Assign(lines);
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw EStringListError(ListIndexError(index));
}

std::string TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[index];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    items_[index] = text;
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, text);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
}
