#pragma once
// The fiscal-memory image file (".bin"): the raw memory bytes, no header. A read writes it the way cp
// overwrites a file (platform/files): the bytes go to a temporary that takes the chosen file's place
// only when finished, so an interrupted program never leaves a half-written file under the chosen
// name and a read that is given up leaves an existing file as it was.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/replacement_file.h"

class ImageFileWriter {
public:
    explicit ImageFileWriter(const std::string& path) : file_(path) {}

    // nullopt when the file may be written, else the message.
    std::optional<std::string> Create();
    // nullopt when every byte went into the file, else the message.
    std::optional<std::string> Append(const std::vector<uint8_t>& bytes);
    // The file takes the bytes written; nullopt when done, else the message (the file is then as it was).
    std::optional<std::string> Finish();
    // Drops the bytes written: a file of the chosen name stays as it was (and none is made).
    void Discard() { file_.Cancel(); }
    // The bytes the file is to hold: none once dropped.
    int64_t Written() const { return file_.Written(); }
    // A write failed: the bytes written can no longer become the file.
    bool Failed() const { return file_.Failed(); }

private:
    ReplacementFile file_;
};

class ImageFileReader {
public:
    explicit ImageFileReader(const std::string& path);
    ~ImageFileReader();
    ImageFileReader(const ImageFileReader&) = delete;
    ImageFileReader& operator=(const ImageFileReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Up to count bytes; fewer only at the end of the file.
    std::vector<uint8_t> Read(size_t count);

private:
    std::FILE* file_ = nullptr;
};
