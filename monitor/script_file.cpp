#include "monitor/script_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/text/text.h"

namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20;
}
bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Byte offset of the first-th character (counted from 1); the text's size when it is shorter.
size_t ByteOfChar(const std::string& text, size_t first) {
    if (first <= 1) return 0;
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue; // continuation byte
        if (++seen == first) return i;
    }
    return text.size();
}

} // namespace

bool ScriptFile::Open(const std::string& path) {
    Close();
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return false;
    OpenText(bytes);
    return true;
}

void ScriptFile::OpenText(const std::string& bytes) {
    Close();
    text_ = FileTextToUtf8(bytes);
    lineStarts_.push_back(0);
    for (size_t end = text_.find('\n'); end != std::string::npos; end = text_.find('\n', end + 1))
        lineStarts_.push_back(end + 1);
    open_ = true;
}

void ScriptFile::Close() {
    text_.clear();
    text_.shrink_to_fit();
    lineStarts_.clear();
    lineStarts_.shrink_to_fit();
    position_ = 0;
    open_ = false;
}

ScriptFile::Read ScriptFile::ReadLine(std::string& line) {
    if (!open_ || position_ >= text_.size()) return Read::End;
    const size_t end = text_.find('\n', position_);
    const size_t stop = end == std::string::npos ? text_.size() : end;
    line.assign(text_, position_, stop - position_);
    position_ = end == std::string::npos ? text_.size() : end + 1;
    if (line.size() > MaxScriptLineChars && CharCount(CutTrailingControls(line)) > MaxScriptLineChars)
        return Read::TooLong;
    return Read::Line;
}

int ScriptFile::LineAt(size_t offset) const {
    return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) -
                            lineStarts_.begin());
}

void ScriptFile::Seek(size_t offset) {
    position_ = std::min(offset, text_.size());
}

std::string CutTrailingControls(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && IsControl(line[end - 1]))
        --end;
    return line.substr(0, end);
}

std::string TrimLine(const std::string& line) {
    const auto first = std::find_if_not(line.begin(), line.end(), IsBlankOrControl);
    const auto last = std::find_if_not(line.rbegin(), line.rend(), IsBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string CharsFrom(const std::string& text, size_t first, size_t count) {
    const size_t begin = ByteOfChar(text, first);
    if (count == std::string::npos) return text.substr(begin);
    const size_t end = ByteOfChar(text, first + count);
    return text.substr(begin, end - begin);
}
