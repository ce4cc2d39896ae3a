#include "dialogs/setup/link_params_file.h"

#include <sstream>

#include "dialogs/setup/file_bytes.h"
#include "platform/text/text.h"

std::optional<std::vector<std::string>> ReadLinkParamsFile(const std::string& path, std::string& problem) {
    const auto bytes = ReadFileBytes(path); // an empty file reads as empty: it is merely short
    if (!bytes) {
        problem = "Невозможно прочитать файл " + path + ". Ошибка!";
        return std::nullopt;
    }
    return LinkParamsOfBytes(*bytes, problem);
}

std::optional<std::vector<std::string>> LinkParamsOfBytes(const std::string& bytes, std::string& problem) {
    std::string text = FileTextToUtf8(bytes);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; lines.size() < 8 && std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (CharCount(line) > LinkLineChars) {
            problem = "Строка " + std::to_string(lines.size() + 1) + " файла параметров связи длиннее " +
                      std::to_string(LinkLineChars) + " символов. Ошибка!";
            return std::nullopt;
        }
        lines.push_back(line);
    }
    if (lines.size() < 8) {
        problem = "В файле параметров связи меньше 8 строк. Ошибка!";
        return std::nullopt;
    }
    return lines;
}
