#include "dialogs/fiscal/article_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/forms/strings.h"

std::vector<std::string> ReadArticleFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    if (!in || !std::filesystem::is_regular_file(path, error))
        throw EFOpenError("Cannot open file \"" + path + "\". No such file or directory");
    std::stringstream bytes;
    bytes << in.rdbuf();
    return ArticleLinesOfBytes(bytes.str());
}

std::vector<std::string> ArticleLinesOfBytes(const std::string& bytes) {
    TStringList lines;
    lines.SetText(FileTextToUtf8(bytes));
    return lines.ToVector();
}

namespace {
constexpr size_t kArticleFields = 5;
}

bool ArticleLineParses(const std::string& line) {
    return !line.empty() && line.back() == ';' &&
           static_cast<size_t>(std::count(line.begin(), line.end(), ';')) == kArticleFields;
}

std::string ArticleLineRefusal(const std::string& line, int number) {
    const std::string which = number > 0 ? "Строка " + std::to_string(number) + " \"" : "Строка \"";
    return which + line +
           "\" не разбирается на поля \"код;наименование;цена;налоговая группа;номер отдела;\"!\n"
           "В регистратор ничего не отправлено.";
}

int64_t ArticleCode(const std::string& line) {
    return StrToInt64(line.substr(0, line.find(';')));
}

std::string ArticleCommandData(const std::string& password, const std::string& line) {
    return password + ";" + line;
}
