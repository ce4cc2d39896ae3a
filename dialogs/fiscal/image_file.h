#pragma once
// The fiscal-memory image file (".bin"): the raw memory bytes, no header. A read writes it under a
// temporary name and gives it its own name only when the read ends, so an interrupted program never
// leaves a half-written file under the chosen name, and a read that brought nothing can leave an
// existing file as it was.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

class ImageFileWriter {
public:
    explicit ImageFileWriter(std::string path);
    ~ImageFileWriter(); // an unfinished file is removed
    ImageFileWriter(const ImageFileWriter&) = delete;
    ImageFileWriter& operator=(const ImageFileWriter&) = delete;

    // nullopt when the temporary file was created, else the message.
    std::optional<std::string> Create();
    // nullopt when every byte went into the file, else the message.
    std::optional<std::string> Append(const std::vector<uint8_t>& bytes);
    // Closes the file and gives it its name; nullopt when done, else the message.
    std::optional<std::string> Finish();
    // Closes and removes the temporary file: a file of the chosen name stays as it was.
    void Discard();
    int64_t Written() const { return written_; }
    std::string TemporaryPath() const { return path_ + ".part"; }

private:
    std::string path_;
    std::FILE* file_ = nullptr;
    int64_t written_ = 0;
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
