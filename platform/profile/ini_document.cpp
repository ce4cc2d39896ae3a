#include "platform/profile/ini_document.h"

#include "platform/text/text.h"

#include <algorithm>

namespace {

const std::string Utf8Bom = "\xEF\xBB\xBF";
const char* const Blanks = " \t";

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Unquoted(const std::string& value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

} // namespace

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<std::string> SectionNameOf(const std::string& line) {
    const std::string trimmed = TrimBlanks(line);
    const size_t close = trimmed.find(']');
    if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos) return std::nullopt;
    return TrimBlanks(trimmed.substr(1, close - 1));
}

std::optional<std::string> KeyNameOf(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || SectionNameOf(line)) return std::nullopt;
    return TrimBlanks(line.substr(0, equals));
}

IniDocument IniDocument::Parse(const std::string& bytes) {
    IniDocument document;
    const bool hasBom = bytes.compare(0, Utf8Bom.size(), Utf8Bom) == 0;
    document.bom_ = hasBom ? Utf8Bom : "";
    const std::string body = bytes.substr(document.bom_.size());
    document.cp1251_ = !IsValidUtf8(body);
    for (size_t pos = 0; pos < body.size();) {
        const size_t lineFeed = body.find('\n', pos);
        const size_t end = lineFeed == std::string::npos ? body.size() : lineFeed;
        const bool crlf = end > pos && lineFeed != std::string::npos && body[end - 1] == '\r';
        Line line{body.substr(pos, end - pos - (crlf ? 1 : 0)), lineFeed == std::string::npos ? "" : "\n"};
        if (crlf) line.ending = "\r\n";
        document.lines_.push_back(std::move(line));
        pos = end + 1;
    }
    const auto withEnding = std::find_if(document.lines_.begin(), document.lines_.end(),
                                         [](const Line& line) { return !line.ending.empty(); });
    if (withEnding != document.lines_.end()) document.newline_ = withEnding->ending;
    return document;
}

std::string IniDocument::Serialize() const {
    std::string bytes = bom_;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

std::string IniDocument::Decoded(const std::string& bytes) const {
    return cp1251_ ? Cp1251ToUtf8(bytes) : bytes;
}

std::string IniDocument::Encoded(const std::string& utf8) const {
    return cp1251_ ? Utf8ToCp1251(utf8) : utf8;
}

std::optional<IniDocument::Range> IniDocument::FindSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionNameOf(lines_[i].text);
        if (!name || !SameName(Decoded(*name), section)) continue;
        size_t end = i + 1;
        while (end < lines_.size() && !SectionNameOf(lines_[end].text))
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(const Range& range, const std::string& key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = KeyNameOf(lines_[i].text);
        if (name && SameName(Decoded(*name), key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Value(const std::string& section, const std::string& key) const {
    const auto range = FindSection(section);
    const auto at = range ? FindKey(*range, key) : std::nullopt;
    if (!at) return std::nullopt;
    const std::string& text = lines_[*at].text;
    return Decoded(Unquoted(TrimBlanks(text.substr(text.find('=') + 1))));
}

// After the section's last key line, or after its last non-blank line when it has no keys, so
// trailing blank lines keep separating it from the next section.
size_t IniDocument::InsertionPoint(const Range& range) const {
    size_t lastKey = 0, lastText = range.header;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (KeyNameOf(lines_[i].text)) lastKey = i;
        if (!TrimBlanks(lines_[i].text).empty()) lastText = i;
    }
    return (lastKey != 0 ? lastKey : lastText) + 1;
}

void IniDocument::InsertLines(size_t at, const std::vector<std::string>& texts) {
    if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = newline_;
    std::vector<Line> inserted;
    for (const std::string& text : texts)
        inserted.push_back({text, newline_});
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(), inserted.end());
}

void IniDocument::AppendSection(const std::string& section, const std::string& keyLine) {
    std::vector<std::string> texts;
    if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) texts.emplace_back();
    texts.push_back("[" + Encoded(section) + "]");
    texts.push_back(keyLine);
    InsertLines(lines_.size(), texts);
}

void IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
    const auto range = FindSection(section);
    const auto at = range ? FindKey(*range, key) : std::nullopt;
    if (at) {
        // The key keeps its spelling and the blanks around "=" as the file has them.
        std::string& text = lines_[*at].text;
        const size_t valueStart = text.find_first_not_of(Blanks, text.find('=') + 1);
        text = text.substr(0, std::min(valueStart, text.size())) + Encoded(value);
    } else if (range) {
        InsertLines(InsertionPoint(*range), {Encoded(key + "=" + value)});
    } else {
        AppendSection(section, Encoded(key + "=" + value));
    }
}
