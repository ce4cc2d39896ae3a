#include "dialogs/fiscal/terminal_protocol.h"

#include <algorithm>

#include "platform/text/text.h"

namespace {
// Longer amounts are no sale but a typing slip.
constexpr size_t kLongestWhole = 11;

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

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

std::optional<CardAmount> ParseCardAmount(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    const size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (whole.empty() || !AllDigits(whole)) return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || fraction.size() > 2 || !AllDigits(fraction)))
        return std::nullopt;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (whole.size() > kLongestWhole) return std::nullopt;
    std::string cents(fraction);
    cents.resize(2, '0');
    int64_t kopecks = 0;
    for (char digit : std::string(whole) + cents)
        kopecks = kopecks * 10 + (digit - '0');
    if (kopecks <= 0) return std::nullopt;
    return CardAmount{std::string(whole) + "." + cents, kopecks};
}
