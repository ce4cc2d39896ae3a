// Reads arbitrary bytes as an acquirer link-parameter file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/setup/link_params_file.h"
#include "platform/text/text.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem;
    const auto lines = LinkParamsOfBytes(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!lines) {
        Require(!problem.empty());
        return 0;
    }
    Require(lines->size() == 8);
    for (const std::string& line : *lines) {
        Require(CharCount(line) <= static_cast<size_t>(LinkLineChars));
        Require(line.find('\n') == std::string::npos);
    }
    return 0;
}
