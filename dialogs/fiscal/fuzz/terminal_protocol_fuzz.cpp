// Reads arbitrary bytes as a typed card amount and a bank terminal's answer body, builds the sale
// request from the answer's session field as the card payment does, and reads the request back. The
// first byte tells how many of the following bytes are the amount.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogs/fiscal/money_amount.h"
#include "dialogs/fiscal/terminal_protocol.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}

// "12.50" for 1250: the text the register is sent for the amount.
std::string KopecksText(int64_t kopecks) {
    const std::string cents = std::to_string(kopecks % 100);
    return std::to_string(kopecks / 100) + "." + (cents.size() < 2 ? "0" : "") + cents;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view amountText = input.substr(0, data[0] % 24);
    const std::string_view body = input.substr(amountText.size());

    const TerminalFields fields = ParseTerminalBody(body);
    for (const auto& [tag, value] : fields) {
        Require(tag.size() == 2);
        Require(value.find(TerminalFieldSeparator) == std::string::npos &&
                value.find('\0') == std::string::npos);
    }
    for (const auto& [tag, value] : ParseTerminalText(body))
        Require(value.find(TerminalFieldSeparator) == std::string::npos);

    const auto amount = ParseMoneyAmount(amountText);
    if (!amount) return 0;
    Require(amount->Kopecks >= 1 && amount->Text == KopecksText(amount->Kopecks));
    const std::string session = TerminalValue(fields, "00");
    const auto frame = SaleRequestFrame(session, amount->Kopecks);
    if (!frame) return 0;
    Require(frame->size() >= 3 && frame->size() <= TerminalRequestLimit + 2);
    Require(static_cast<uint8_t>((*frame)[1]) == frame->size() - 2);
    const TerminalFields request = ParseTerminalBody(std::string_view(*frame).substr(2));
    Require(TerminalValue(request, "00") == session);
    Require(TerminalValue(request, "05") == std::to_string(amount->Kopecks));
    return 0;
}
