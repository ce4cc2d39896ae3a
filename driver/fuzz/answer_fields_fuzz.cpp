// Splits arbitrary answer data into its fields after the fix-up of the command it answers, as every
// answer is split. The first byte picks the command.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/answer_parse.h"

namespace {

constexpr uint32_t SentCodes[] = {0x32, 0x35, 0x3E, 0x5A, 0x80, 0x21};

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    text = text.substr(0, text.find('\0')); // the receiver hands on the data up to its first NUL
    if (text.size() > 1) ApplyAnswerFixUp(SentCodes[data[0] % std::size(SentCodes)], text);

    std::array<std::string_view, AnswerFieldSlots> fields;
    const size_t count = SplitAnswerData(text, fields);
    Require(count >= 1 && count <= AnswerFieldSlots);
    // The fields lie inside the data, in order; only the last may keep a separator.
    const char* end = text.data();
    for (size_t i = 0; i < count; ++i) {
        Require(fields[i].empty() || (fields[i].data() >= end &&
                                      fields[i].data() + fields[i].size() <= text.data() + text.size()));
        if (!fields[i].empty()) end = fields[i].data() + fields[i].size();
        if (i + 1 < count) Require(fields[i].find(';') == std::string_view::npos);
    }
    for (size_t i = count; i < AnswerFieldSlots; ++i)
        Require(fields[i].empty());
    return 0;
}
