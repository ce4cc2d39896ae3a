// The private-profile functions over IniDocument: every call reads the file anew, every write
// replaces it atomically.
#include "platform/profile/profile.h"

#include "platform/profile/file_io.h"
#include "platform/profile/ini_document.h"
#include "platform/text/text.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::string> LookUp(const std::string& path, const std::string& section,
                                  const std::string& key) {
    if (path.empty() || TrimBlanks(section).empty() || TrimBlanks(key).empty()) return std::nullopt;
    const FileContents file = ReadWholeFile(path);
    if (file.status != ReadStatus::Read) return std::nullopt;
    return IniDocument::Parse(file.bytes).Value(TrimBlanks(section), TrimBlanks(key));
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Names and values that would read back as other lines are refused rather than written.
bool CanWrite(const std::string& section, const std::string& key, const std::string& value) {
    const std::string name = TrimBlanks(key);
    const bool sectionOk = !TrimBlanks(section).empty() && section.find(']') == std::string::npos;
    const bool keyOk = !name.empty() && name.find('=') == std::string::npos && !SectionNameOf(name);
    return sectionOk && keyOk && !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value);
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// "0x", "0o" or "0b", in lower case only; the base of the digits after it.
int TakeBasePrefix(const std::string& text, size_t& pos) {
    if (pos + 1 >= text.size() || text[pos] != '0') return 10;
    const char letter = text[pos + 1];
    const int base = letter == 'x' ? 16 : letter == 'o' ? 8 : letter == 'b' ? 2 : 10;
    if (base != 10) pos += 2;
    return base;
}

// Blanks and control characters, a sign, a base prefix and the digits up to the first other
// character, summed in 32 bits that wrap as the platform's: 4294967297 reads as 1.
int LeadingInteger(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= ' ')
        ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    const int base = TakeBasePrefix(text, pos);
    uint32_t total = 0;
    for (; pos < text.size() && DigitValue(text[pos]) < base; ++pos)
        total = total * static_cast<uint32_t>(base) + static_cast<uint32_t>(DigitValue(text[pos]));
    return static_cast<int32_t>(negative ? 0u - total : total);
}

// The platform cuts trailing blanks off a default before it is returned.
std::string TrimRight(const std::string& text) {
    return text.substr(0, text.find_last_not_of(" \t") + 1);
}

} // namespace

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& fallback, size_t bufferSize) {
    const std::string value = LookUp(path, section, key).value_or(TrimRight(fallback));
    return CharLeft(value, bufferSize > 0 ? bufferSize - 1 : 0);
}

int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int fallback) {
    const auto value = LookUp(path, section, key);
    if (!value || value->empty()) return fallback;
    return LeadingInteger(*value);
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (path.empty() || !CanWrite(section, key, value)) return false;
    return RewriteFileLocked(path, [&](const std::string& bytes) -> std::optional<std::string> {
        IniDocument document = IniDocument::Parse(bytes);
        if (!document.Exact() || !document.Set(TrimBlanks(section), TrimBlanks(key), value))
            return std::nullopt;
        return document.Serialize();
    });
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// An existing file is left as it is: creating must never empty a settings file.
bool CreateEmptyFile(const std::string& path) {
    if (path.empty()) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}
