#include "dialogs/fiscal/image_file.h"

#include <cstdio>

std::optional<std::string> ImageFileWriter::Create() {
    if (!file_.Open()) return "Ошибка! Не удалось создать файл " + file_.Path();
    return std::nullopt;
}

std::optional<std::string> ImageFileWriter::Append(const std::vector<uint8_t>& bytes) {
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (file_.Write(view)) return std::nullopt;
    return "Ошибка записи в файл " + file_.Path() + "!";
}

std::optional<std::string> ImageFileWriter::Finish() {
    if (file_.Commit()) return std::nullopt;
    return "Ошибка записи в файл " + file_.Path() + "!";
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
