#include "dialogs/setup/file_bytes.h"

#include <fstream>

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    char chunk[4096];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        bytes.append(chunk, static_cast<size_t>(file.gcount()));
    if (!file.is_open() || file.bad()) return std::nullopt;
    return bytes;
}
