#include "kit/ini_files.h"

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
