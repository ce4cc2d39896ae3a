#include "kit/ini_files.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/profile/file_io.h"
#include "platform/profile/ini_document.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace {

constexpr size_t kValueBuffer = 8192;

struct FileLines {
    std::vector<std::string> lines; // each with its line end
};

FileLines LinesOf(const std::string& bytes) {
    FileLines file;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        file.lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return file;
}

std::string WithoutLineEnd(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r'))
        --end;
    return line.substr(0, end);
}

// The file without the lines keep refuses (a whole section, or one key of it); nothing when none goes.
template <class Keep> std::optional<std::string> KeptLines(const std::string& bytes, Keep keep) {
    std::string result;
    std::string section;
    bool changed = false;
    for (const std::string& line : LinesOf(bytes).lines) {
        const std::string text = WithoutLineEnd(line);
        if (auto name = SectionNameOf(text)) section = *name;
        if (keep(section, text))
            result += line;
        else
            changed = true;
    }
    if (!changed) return std::nullopt;
    return result;
}

template <class Keep> bool RewriteLines(const std::string& path, Keep keep) {
    const FileContents contents = ReadWholeFile(path);
    if (contents.status == ReadStatus::Missing) return true;
    if (contents.status != ReadStatus::Read) return false;
    if (!KeptLines(contents.bytes, keep)) return true;
    return RewriteFileLocked(path, [&](const std::string& bytes) { return KeptLines(bytes, keep); });
}

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return config;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config";
}

const char* RootName(TPlacementRegRoot root) {
    static const char* names[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_CONFIG",
                                  "HKEY_CLASSES_ROOT", "HKEY_USERS",         "HKEY_DYN_DATA"};
    return names[root];
}

bool Quoted(const std::string& value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

// A value that the settings file gives back as written: no blanks at the ends (they are trimmed), no
// quote pair around it (one pair is stripped), nothing that breaks the line.
bool KeptAsWritten(const std::string& value) {
    if (value.empty()) return true;
    if (IsBlank(value.front()) || IsBlank(value.back()) || Quoted(value)) return false;
    return std::none_of(value.begin(), value.end(), IsControl);
}

std::string Escaped(const std::string& value) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (IsControl(c))
            out += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        else
            out += c;
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The text between the quotes of an escaped value; a backslash before anything else stays as it is.
std::string Unescaped(const std::string& inner) {
    std::string out;
    for (size_t i = 0; i < inner.size(); ++i) {
        const char next = i + 1 < inner.size() ? inner[i + 1] : 0;
        if (inner[i] != '\\' || !next) {
            out += inner[i];
            continue;
        }
        if (next == '\\' || next == 'n' || next == 'r' || next == 't') {
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : '\\';
            ++i;
        } else if (next == 'x' && i + 3 < inner.size() && HexDigit(inner[i + 2]) >= 0 &&
                   HexDigit(inner[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(inner[i + 2]) * 16 + HexDigit(inner[i + 3]));
            i += 3;
        } else {
            out += inner[i];
        }
    }
    return out;
}

// The value text after "=" of the key, as the file holds it; the first matching section and the first
// matching key in it count, as for the settings file.
std::optional<std::string> RawValue(const std::string& path, const std::string& section,
                                    const std::string& ident) {
    const FileContents contents = ReadWholeFile(path);
    if (contents.status != ReadStatus::Read) return std::nullopt;
    bool inSection = false, sectionSeen = false;
    for (const std::string& line : LinesOf(FileTextToUtf8(contents.bytes)).lines) {
        const std::string text = WithoutLineEnd(line);
        if (auto name = SectionNameOf(text)) {
            if (inSection) return std::nullopt;
            inSection = !sectionSeen && SameName(*name, TrimBlanks(section));
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        const auto key = inSection ? KeyNameOf(text) : std::nullopt;
        if (key && SameName(*key, TrimBlanks(ident))) return text.substr(text.find('=') + 1);
    }
    return std::nullopt;
}

} // namespace

std::string TCustomIniFile::ReadString(const std::string& section, const std::string& ident,
                                       const std::string& fallback) const {
    return ReadProfileString(fileName_, section, ident, fallback, kValueBuffer);
}

bool TCustomIniFile::WriteString(const std::string& section, const std::string& ident,
                                 const std::string& value) {
    return !readOnly_ && WriteProfileString(fileName_, section, ident, value);
}

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int fallback) const {
    return StrToIntDef(ReadString(section, ident, ""), fallback);
}

bool TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    return WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) const {
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

bool TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    return WriteString(section, ident, value ? "1" : "0");
}

bool TCustomIniFile::EraseSection(const std::string& section) {
    if (readOnly_) return false;
    return RewriteLines(fileName_, [&](const std::string& current, const std::string&) {
        return !SameName(current, section);
    });
}

bool TCustomIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    if (readOnly_) return false;
    return RewriteLines(fileName_, [&](const std::string& current, const std::string& line) {
        const auto key = KeyNameOf(line);
        return !(SameName(current, section) && key && SameName(*key, ident));
    });
}

std::vector<std::string> TCustomIniFile::ReadSections() const {
    std::vector<std::string> sections;
    const FileContents contents = ReadWholeFile(fileName_);
    if (contents.status != ReadStatus::Read) return sections;
    for (const std::string& line : LinesOf(FileTextToUtf8(contents.bytes)).lines)
        if (auto name = SectionNameOf(WithoutLineEnd(line))) sections.push_back(*name);
    return sections;
}

bool TCustomIniFile::SectionExists(const std::string& section) const {
    for (const std::string& name : ReadSections())
        if (SameName(name, section)) return true;
    return false;
}

bool TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    return TCustomIniFile::WriteString(section, ident, Quoted(value) ? "\"" + value + "\"" : value);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& fallback) const {
    const std::optional<std::string> raw = RawValue(FileName(), section, ident);
    if (!raw) return fallback;
    const std::string value = TrimBlanks(*raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return Unescaped(value.substr(1, value.size() - 2));
    return Quoted(value) ? value.substr(1, value.size() - 2) : value;
}

bool TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    return TCustomIniFile::WriteString(section, ident, KeptAsWritten(value) ? value : Escaped(value));
}

TRegIniFile::TRegIniFile(const std::string& key, TPlacementRegRoot root, bool readOnly)
    : TCustomIniFile(KeyFileName(key, root)) {
    readOnly_ = readOnly;
    if (readOnly) return;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(FileName()).parent_path(), error);
}

std::string TRegIniFile::KeyFileName(const std::string& key, TPlacementRegRoot root) {
    std::string path;
    for (char c : key)
        path += c == '\\' ? '/' : c;
    while (path.starts_with('/'))
        path.erase(0, 1);
    return ConfigFolder() + "/kaltor/registry/" + RootName(root) + "/" + (path.empty() ? "default" : path) +
           ".ini";
}
