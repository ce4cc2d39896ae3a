#pragma once
// A script file, read whole when it is opened and then served line by line. Runners seek back and
// forward by the offsets of line starts, so a loop does not go back to the disk on every pass.
// Files from the Windows world are taken as CP1251 when they are not valid UTF-8.
#include <cstddef>
#include <string>
#include <vector>

// A line longer than this (line end not counted) is refused whole, never run in pieces.
constexpr size_t MaxScriptLineChars = 299;

class ScriptFile {
public:
    enum class Read { Line, End, TooLong };

    // False when the file cannot be read; a file open from before is closed first either way.
    bool Open(const std::string& path);
    // Serves a script text held in memory, as a file with these bytes would be.
    void OpenText(const std::string& bytes);
    void Close();
    bool IsOpen() const { return open_; }

    // The next line without its "\n"; the position moves past it. TooLong: the line holds more than
    // MaxScriptLineChars characters before its trailing control characters.
    Read ReadLine(std::string& line);
    // Offset of the next line to be read; Seek takes a value Offset() returned (or Size()).
    size_t Offset() const { return position_; }
    void Seek(size_t offset);
    size_t Size() const { return text_.size(); }
    // The number (from 1) of the file's line that holds this offset, however the runner got there.
    int LineAt(size_t offset) const;

private:
    std::string text_;               // UTF-8
    std::vector<size_t> lineStarts_; // the offset of each line's first character, in order
    size_t position_ = 0;
    bool open_ = false;
};

// The line without its trailing characters below 20h (line ends, stray control bytes).
std::string CutTrailingControls(const std::string& line);
// The line without leading and trailing blanks and control characters.
std::string TrimLine(const std::string& line);
// The characters of a UTF-8 text from the first-th (counted from 1) to the end, or count of them.
std::string CharsFrom(const std::string& text, size_t first, size_t count = std::string::npos);
