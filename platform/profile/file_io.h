#pragma once
// Whole-file reads and crash-safe, locked rewriting of a file.
#include <functional>
#include <optional>
#include <string>

enum class ReadStatus { Read, Missing, Failed };

struct FileContents {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;
};

// Missing: no such file (or no such folder); Failed: it exists but is no readable regular file.
FileContents ReadWholeFile(const std::string& path);

// The new contents of a file made from its present bytes (empty for a file that is not there yet),
// or nothing to leave the file as it is.
using FileChange = std::function<std::optional<std::string>(const std::string& bytes)>;

// Rewrites a file (a link is followed to its file; a missing file is created) under an advisory lock,
// so that programs rewriting one file at the same moment take turns and each keeps its change. The
// new bytes go to a temporary file beside the target that is flushed to the disk and renamed over it,
// keeping the file's owner and mode, so a reader or a crash sees either the old file or the new one;
// temporaries left by a writer that was killed are removed. False, with the file untouched, when the
// file has no write permission (even for the superuser, as a read-only file on the platform), is no
// regular file, cannot be read or written, or change refuses.
bool RewriteFileLocked(const std::string& path, const FileChange& change);
