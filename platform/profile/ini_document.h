#pragma once
// One settings file in memory as its lines, so that a change touches one line and keeps every other
// byte: comments, order, blanks, line endings and the file's encoding.
#include <optional>
#include <string>
#include <vector>

class IniDocument {
public:
    // A file with a UTF-16 byte-order mark is UTF-16 and stays so; a file that is not valid UTF-8 is
    // taken as CP1251 (written on Windows) and stays CP1251.
    static IniDocument Parse(const std::string& bytes);
    std::string Serialize() const;
    // False when the file's bytes could not be kept as they were (broken UTF-16): such a file is
    // read but never written.
    bool Exact() const { return exact_; }

    // The value, trimmed and without one pair of surrounding quotes; nullopt when the section or the
    // key is missing. Names match without regard to ASCII case; the first matching section and the
    // first matching key in it count.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // Changes the key in place, or adds it at the end of its section, or adds the section at the end.
    // False, with nothing changed, when the file's encoding cannot hold the names or the value.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

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
    void AppendSection(const std::string& header, const std::string& keyLine);
    void SplitLines(const std::string& body);
    std::string Decoded(const std::string& bytes) const;
    std::optional<std::string> Encoded(const std::string& utf8) const;

    // The lines are held as UTF-8, except in a CP1251 file, where they keep the file's bytes.
    enum class Encoding { Utf8, Cp1251, Utf16Le, Utf16Be };
    Encoding encoding_ = Encoding::Utf8;
    std::string bom_;
    bool exact_ = true;
    std::string newline_ = "\n";
    std::vector<Line> lines_;
};

// What the platform's parser makes of one line.
std::optional<std::string> SectionNameOf(const std::string& line);
// The name of a "name=value" line, trimmed; nullopt for section lines and lines without "=".
std::optional<std::string> KeyNameOf(const std::string& line);
std::string TrimBlanks(const std::string& text);
bool SameName(const std::string& a, const std::string& b);
