#include "dialogs/fiscal/image_file.h"

#include <cstdio>

ImageFileWriter::ImageFileWriter(std::string path) : path_(std::move(path)) {}

ImageFileWriter::~ImageFileWriter() {
    Discard();
}

void ImageFileWriter::Discard() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    std::remove(TemporaryPath().c_str());
}

std::optional<std::string> ImageFileWriter::Create() {
    file_ = std::fopen(TemporaryPath().c_str(), "wb");
    if (!file_) return "Ошибка! Не удалось создать файл " + TemporaryPath();
    return std::nullopt;
}

std::optional<std::string> ImageFileWriter::Append(const std::vector<uint8_t>& bytes) {
    const size_t done = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    written_ += static_cast<int64_t>(done);
    if (done != bytes.size()) return "Ошибка записи в файл " + TemporaryPath() + "!";
    return std::nullopt;
}

std::optional<std::string> ImageFileWriter::Finish() {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) {
        std::remove(TemporaryPath().c_str());
        return "Ошибка записи в файл " + TemporaryPath() + "!";
    }
    if (std::rename(TemporaryPath().c_str(), path_.c_str()) != 0)
        return "Ошибка! Не удалось сохранить файл " + path_ + " (данные остались в " + TemporaryPath() + ")";
    return std::nullopt;
}

ImageFileReader::ImageFileReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

ImageFileReader::~ImageFileReader() {
    if (file_) std::fclose(file_);
}

std::vector<uint8_t> ImageFileReader::Read(size_t count) {
    std::vector<uint8_t> bytes(count);
    bytes.resize(std::fread(bytes.data(), 1, count, file_));
    return bytes;
}
