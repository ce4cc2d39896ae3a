#include "platform/profile/ini_document.h"

#include "platform/text/text.h"

#include <algorithm>

namespace {

const std::string Utf8Bom = "\xEF\xBB\xBF";
const std::string Utf16LeBom = "\xFF\xFE";
const std::string Utf16BeBom = "\xFE\xFF";

bool StartsWith(const std::string& bytes, const std::string& prefix) {
    return bytes.compare(0, prefix.size(), prefix) == 0;
}
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
    std::string body;
    if (StartsWith(bytes, Utf16LeBom) || StartsWith(bytes, Utf16BeBom)) {
        const bool bigEndian = StartsWith(bytes, Utf16BeBom);
        document.encoding_ = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
        document.bom_ = bytes.substr(0, 2);
        body = Utf16ToUtf8(std::string_view(bytes).substr(2), bigEndian, &document.exact_);
    } else {
        document.bom_ = StartsWith(bytes, Utf8Bom) ? Utf8Bom : "";
        body = bytes.substr(document.bom_.size());
        document.encoding_ = IsValidUtf8(body) ? Encoding::Utf8 : Encoding::Cp1251;
    }
    document.SplitLines(body);
    return document;
}

void IniDocument::SplitLines(const std::string& body) {
    for (size_t pos = 0; pos < body.size();) {
        const size_t lineFeed = body.find('\n', pos);
        const size_t end = lineFeed == std::string::npos ? body.size() : lineFeed;
        const bool crlf = end > pos && lineFeed != std::string::npos && body[end - 1] == '\r';
        Line line{body.substr(pos, end - pos - (crlf ? 1 : 0)), lineFeed == std::string::npos ? "" : "\n"};
        if (crlf) line.ending = "\r\n";
        lines_.push_back(std::move(line));
        pos = end + 1;
    }
    const auto withEnding =
        std::find_if(lines_.begin(), lines_.end(), [](const Line& line) { return !line.ending.empty(); });
    if (withEnding != lines_.end()) newline_ = withEnding->ending;
}

std::string IniDocument::Serialize() const {
    std::string body;
    for (const Line& line : lines_)
        body += line.text + line.ending;
    if (encoding_ != Encoding::Utf16Le && encoding_ != Encoding::Utf16Be) return bom_ + body;
    // The lines were checked as they came in, so the conversion cannot fail here.
    return bom_ + Utf8ToUtf16(body, encoding_ == Encoding::Utf16Be).value_or(std::string());
}

std::string IniDocument::Decoded(const std::string& bytes) const {
    return encoding_ == Encoding::Cp1251 ? Cp1251ToUtf8(bytes) : bytes;
}

std::optional<std::string> IniDocument::Encoded(const std::string& utf8) const {
    if (encoding_ == Encoding::Cp1251) return Utf8ToCp1251Exact(utf8);
    if (!IsValidUtf8(utf8)) return std::nullopt;
    return utf8;
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

void IniDocument::AppendSection(const std::string& header, const std::string& keyLine) {
    std::vector<std::string> texts;
    if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) texts.emplace_back();
    texts.push_back(header);
    texts.push_back(keyLine);
    InsertLines(lines_.size(), texts);
}

bool IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
    const auto encodedValue = Encoded(value);
    const auto keyLine = Encoded(key + "=" + value);
    const auto header = Encoded("[" + section + "]");
    if (!encodedValue || !keyLine || !header) return false;
    const auto range = FindSection(section);
    const auto at = range ? FindKey(*range, key) : std::nullopt;
    if (at) {
        // The key keeps its spelling and the blanks around "=" as the file has them.
        std::string& text = lines_[*at].text;
        const size_t valueStart = text.find_first_not_of(Blanks, text.find('=') + 1);
        text = text.substr(0, std::min(valueStart, text.size())) + *encodedValue;
    } else if (range) {
        InsertLines(InsertionPoint(*range), {*keyLine});
    } else {
        AppendSection(*header, *keyLine);
    }
    return true;
}
