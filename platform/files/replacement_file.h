#pragma once
// Writing a file in place of one the user may already have, the way cp overwrites a file: an existing
// file keeps its permission bits (and its owner, as far as this user may give it), a symbolic link is
// written through to the file it names and stays a link, and the new bytes go to an unnamed temporary
// beside that file which takes its place only when committed. A write that fails or is given up
// half-way therefore leaves the old contents as they were and no temporary behind. (A file with
// further hard links is replaced under this name only: the other names keep the old contents.)
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QSaveFile;

class ReplacementFile {
public:
    explicit ReplacementFile(std::string path);
    ~ReplacementFile(); // what was not committed is dropped
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Starts the new contents. False when the file cannot be replaced: its folder is missing or takes
    // no new file, it has no write permission for this user, or it is a folder, a device or another
    // file that is no plain file, or a link to no file (nothing is created where such a link points,
    // as cp refuses to write through it).
    bool Open();
    // Hands the bytes to the system at once, so that a full disk shows here; false after any failure.
    bool Write(std::string_view bytes);
    // The file takes the new contents; false, with the old contents kept, after any failure.
    bool Commit();
    // Drops what was written: the file stays as it was.
    void Cancel();

    bool IsOpen() const { return file_ != nullptr; }
    // A write failed: what was written can no longer become the file.
    bool Failed() const { return failed_; }
    // Bytes written since Open that are to become, or have become, the file's contents: none once
    // dropped.
    int64_t Written() const { return written_; }
    // The temporary's descriptor while open, for its times and mode; -1 otherwise.
    int Handle() const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::unique_ptr<QSaveFile> file_;
    int64_t written_ = 0;
    bool failed_ = false;
};

// The whole file replaced at once; false, with the old contents kept, when it could not be.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);
