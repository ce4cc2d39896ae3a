#include "dialogs/fiscal/terminal_protocol.h"

#include "platform/text/text.h"

namespace {
std::string Field(const std::string& tag, const std::string& value) {
    return tag + "=" + value;
}
} // namespace

std::string TerminalControlFrame(char code) {
    return std::string{'\0', '\x01', code};
}

TerminalFields ParseTerminalBody(std::string_view body) {
    body = body.substr(0, body.find('\0'));
    if (!body.empty() && body.front() == TerminalStx) body.remove_prefix(1);
    TerminalFields fields;
    while (true) {
        const size_t end = body.find(TerminalFieldSeparator);
        const std::string_view field = body.substr(0, end);
        if (field.size() >= 3 && field[2] == '=')
            fields.emplace(std::string(field.substr(0, 2)), std::string(field.substr(3)));
        if (end == std::string_view::npos) break;
        body.remove_prefix(end + 1);
    }
    return fields;
}

TerminalFields ParseTerminalText(std::string_view body) {
    return ParseTerminalBody(FileTextToUtf8(body.substr(0, body.find('\0'))));
}

std::string TerminalValue(const TerminalFields& fields, const std::string& tag) {
    const auto found = fields.find(tag);
    return found == fields.end() ? std::string() : found->second;
}

std::optional<std::string> SaleRequestFrame(const std::string& session, int64_t kopecks) {
    if (session.find(TerminalFieldSeparator) != std::string::npos) return std::nullopt;
    const std::string sep(1, TerminalFieldSeparator);
    const std::string body = std::string(1, TerminalStx) + Field("00", session) + sep + Field("03", "S") +
                             sep + Field("05", std::to_string(kopecks)) + sep + Field("52", "980") + sep +
                             Field("53", "UAH") + sep + Field("61", "1");
    if (body.size() > TerminalRequestLimit) return std::nullopt;
    return std::string{'\0', static_cast<char>(body.size())} + body;
}
