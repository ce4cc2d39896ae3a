#include "monitor/script_language.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "monitor/script_file.h"
#include "platform/text/text.h"

namespace {

struct Keyword {
    std::string_view word;
    Statement statement;
};

// In the order they are tested; the first group only with the marker "%".
constexpr std::array DeclarationKeywords{
    Keyword{"DeclareBeg", Statement::DeclareBeg},
    Keyword{"New", Statement::New},
    Keyword{"DeclareEnd", Statement::DeclareEnd},
    Keyword{"Delay", Statement::Delay},
    Keyword{"Set", Statement::Set},
};
constexpr std::array StatementKeywords{
    Keyword{"While", Statement::While},
    Keyword{"EndWhile", Statement::EndWhile},
    Keyword{"If", Statement::If},
    Keyword{"Then", Statement::Then},
    Keyword{"Else", Statement::Else},
    Keyword{"EndIf", Statement::EndIf},
    Keyword{"RunCommand", Statement::RunCommand},
    Keyword{"Oper", Statement::Oper},
    Keyword{"Print", Statement::Print},
};

template <size_t N>
std::optional<RecognisedLine> Match(const std::array<Keyword, N>& keywords, std::string_view afterMarker) {
    for (const Keyword& keyword : keywords)
        if (afterMarker.starts_with(keyword.word))
            return RecognisedLine{keyword.statement, std::string(afterMarker.substr(keyword.word.size()))};
    return std::nullopt;
}

} // namespace

RecognisedLine Recognise(const std::string& line) {
    const char marker = line.empty() ? '\0' : line[0];
    const std::string_view afterMarker = line.empty() ? std::string_view() : std::string_view(line).substr(1);
    if (marker == ';') return {Statement::Comment, std::string(afterMarker)};
    if (marker == '+') return {Statement::ShownComment, std::string(afterMarker)};
    if (marker == '%')
        if (auto declaration = Match(DeclarationKeywords, afterMarker)) return *declaration;
    if (auto statement = Match(StatementKeywords, afterMarker)) return *statement;
    return {Statement::CommandLine, line};
}

bool OpensDeclaration(const std::string& line) {
    if (line.empty() || line[0] != '%') return false;
    const std::string_view afterMarker = std::string_view(line).substr(1);
    return afterMarker.starts_with("DeclareBeg") || afterMarker.starts_with("DeclareEnd") ||
           afterMarker.starts_with("New");
}

bool IsNumb(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsStr(const std::string& text) {
    return !text.empty() && text.front() == '"' && text.back() == '"';
}

std::string Unquote(const std::string& text) {
    return text.size() < 2 ? std::string() : text.substr(1, text.size() - 2);
}

int GetAnsiString(const std::string& text) {
    if (!text.starts_with("%Ret")) return -1;
    const std::string digits = text.substr(4);
    if (!IsNumb(digits)) return -1;
    return StrToInt(digits);
}

std::optional<std::vector<std::string>> SplitArguments(const std::string& rest) {
    const size_t open = rest.find('(');
    const size_t close = rest.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
    std::vector<std::string> arguments;
    size_t begin = open + 1;
    while (true) {
        const size_t comma = rest.find(',', begin);
        const size_t end = comma == std::string::npos || comma > close ? close : comma;
        arguments.push_back(TrimLine(rest.substr(begin, end - begin)));
        if (end == close) return arguments;
        begin = end + 1;
    }
}

std::optional<ConditionText> SplitCondition(const std::string& rest) {
    const std::string trimmed = TrimLine(rest);
    const std::string inner = trimmed.size() < 2 ? std::string() : trimmed.substr(1, trimmed.size() - 2);
    static constexpr std::array<std::pair<std::string_view, int>, 5> Operators{{
        {"<=", LessEqual},
        {"==", Equal},
        {">=", GreaterEqual},
        {"<", Less},
        {">", Greater},
    }};
    for (const auto& [text, code] : Operators) {
        const size_t at = inner.find(text);
        if (at == std::string::npos) continue;
        return ConditionText{code, TrimLine(inner.substr(0, at)), TrimLine(inner.substr(at + text.size()))};
    }
    return std::nullopt;
}

bool Compare(int op, int a, int b) {
    switch (op) {
    case Less:
        return a < b;
    case LessEqual:
        return a <= b;
    case Equal:
        return a == b;
    case Greater:
        return a > b;
    case GreaterEqual:
        return a >= b;
    }
    return false;
}
