#pragma once
// Article files (*.ART): one article per line, each line the parameter list of the register's
// "add article" command without the password ("code;name;price;tax group;department;").
#include <string>
#include <vector>

#include "platform/text/text.h"

// A file that cannot be opened or read, with the library's message.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// The lines of an article file: UTF-8 when the file is valid UTF-8, else CP1251; lines end with CR LF
// or a lone LF. Raises EFOpenError when the file cannot be read.
std::vector<std::string> ReadArticleFile(const std::string& path);
// The same for the file's bytes.
std::vector<std::string> ArticleLinesOfBytes(const std::string& bytes);

// True when a line holds the five fields of an article, each followed by ";". A ";" inside a name
// gives a field too many, which the register would read as shifted fields.
bool ArticleLineParses(const std::string& line);

// Why a line is not sent; number counts the memo's lines from 1 (0: the line has no number).
std::string ArticleLineRefusal(const std::string& line, int number = 0);

// The article code of a line: the text before its first ";" as a 64-bit integer (EConvertError
// when it is not one).
int64_t ArticleCode(const std::string& line);

// The register's "add article" command and its data text: the password, then the line as it stands.
inline constexpr unsigned AddArticleCommand = 0x24;
std::string ArticleCommandData(const std::string& password, const std::string& line);
