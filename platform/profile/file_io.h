#pragma once
// Whole-file reads and crash-safe replacement of a file.
#include <string>

enum class ReadStatus { Read, Missing, Failed };

struct FileContents {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;
};

// Missing: no such file (or no such folder); Failed: it exists but is no readable regular file.
FileContents ReadWholeFile(const std::string& path);

// Writes a temporary file beside the target, flushes it to the disk and renames it over the target,
// so a reader or a crash sees either the old file or the new one. A link is followed to its file.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);
