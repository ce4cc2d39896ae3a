// Parses arbitrary bytes as a bank terminal's answer body, builds the sale request from its session
// field as the card payment does, and reads the request back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "dialogs/fiscal/terminal_protocol.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(double)) return 0;
    double amount = 0;
    std::memcpy(&amount, data, sizeof amount);
    const std::string_view body(reinterpret_cast<const char*>(data) + sizeof amount, size - sizeof amount);

    const TerminalFields fields = ParseTerminalBody(body);
    for (const auto& [tag, value] : fields) {
        Require(tag.size() == 2);
        Require(value.find(TerminalFieldSeparator) == std::string::npos &&
                value.find('\0') == std::string::npos);
    }
    const std::string session = TerminalValue(fields, "00");
    const auto kopecks = AmountInKopecks(amount);
    if (!kopecks) return 0;
    Require(*kopecks >= 1);
    const auto frame = SaleRequestFrame(session, *kopecks);
    if (!frame) return 0;
    Require(frame->size() >= 3 && frame->size() <= TerminalRequestLimit + 2);
    Require(static_cast<uint8_t>((*frame)[1]) == frame->size() - 2);
    const TerminalFields request = ParseTerminalBody(std::string_view(*frame).substr(2));
    Require(TerminalValue(request, "00") == session);
    Require(TerminalValue(request, "05") == std::to_string(*kopecks));
    return 0;
}
