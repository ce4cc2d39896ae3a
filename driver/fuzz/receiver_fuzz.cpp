// Feeds arbitrary byte streams to the answer receiver and the answer parser, exchange after exchange,
// as a register on a noisy line could. The first byte picks the command the answer belongs to.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "driver/answer_parse.h"
#include "driver/frame.h"
#include "driver/receiver.h"
#include "platform/text/text.h"

namespace {

constexpr uint32_t SentCodes[] = {0x32, 0x35, 0x3E, 0x5A, 0x80, 0x21, 0xFF};

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckRecord(const AnswerRecord& record) {
    Require(record.FieldCount <= AnswerFieldSlots);
    Require(CharCount(record.ErrorField) < ErrorFieldSize);
    Require(record.RawAnswer.back() == '\0');
    for (uint8_t byte : record.StatusBytes)
        Require(byte < 0x80);
}

void Finish(Receiver& receiver, AnswerRecord& record) {
    ParseAnswer(receiver, "736204;", record);
    receiver.EndExchange();
    CheckRecord(record);
    RawAnswerIsValid(record.RawAnswer);
    receiver.BeginExchange();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static AnswerRecord record;
    static Receiver receiver(record.RawAnswer);
    record.SentCode = SentCodes[data[0] % std::size(SentCodes)];
    receiver.BeginExchange();
    for (size_t i = 1; i < size; ++i) {
        receiver.Feed(data[i]);
        if (receiver.FrameEnded) Finish(receiver, record);
    }
    Finish(receiver, record);

    std::array<std::string_view, AnswerFieldSlots> fields;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Require(SplitAnswerData(bytes, fields) <= AnswerFieldSlots);
    return 0;
}
