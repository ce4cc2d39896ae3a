#pragma once
// One settings file in memory as its lines, so that a change touches one line and keeps every other
// byte: comments, order, blanks, line endings and the file's encoding.
#include <optional>
#include <string>
#include <vector>

class IniDocument {
public:
    // A file that is not valid UTF-8 is taken as CP1251 (written on Windows) and stays CP1251.
    static IniDocument Parse(const std::string& bytes);
    std::string Serialize() const;

    // The value, trimmed and without one pair of surrounding quotes; nullopt when the section or the
    // key is missing. Names match without regard to ASCII case; the first matching section and the
    // first matching key in it count.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // Changes the key in place, or adds it at the end of its section, or adds the section at the end.
    void Set(const std::string& section, const std::string& key, const std::string& value);

private:
    struct Line {
        std::string text;   // bytes without the line end
        std::string ending; // "\r\n", "\n" or, on a last line without one, ""
    };
    struct Range {
        size_t header, end; // the section's header line and one past its last line
    };

    std::optional<Range> FindSection(const std::string& section) const;
    std::optional<size_t> FindKey(const Range& range, const std::string& key) const;
    size_t InsertionPoint(const Range& range) const;
    void InsertLines(size_t at, const std::vector<std::string>& texts);
    void AppendSection(const std::string& section, const std::string& keyLine);
    std::string Decoded(const std::string& bytes) const;
    std::string Encoded(const std::string& utf8) const;

    std::string bom_;
    bool cp1251_ = false;
    std::string newline_ = "\n";
    std::vector<Line> lines_;
};

// What the platform's parser makes of one line.
std::optional<std::string> SectionNameOf(const std::string& line);
// The name of a "name=value" line, trimmed; nullopt for section lines and lines without "=".
std::optional<std::string> KeyNameOf(const std::string& line);
std::string TrimBlanks(const std::string& text);
bool SameName(const std::string& a, const std::string& b);
