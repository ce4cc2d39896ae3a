#include "driver/answer_parse.h"

#include <algorithm>

#include "driver/tables.h"
#include "platform/text/text.h"

namespace {

uint32_t StatusWordOf(const Receiver& receiver, const std::array<uint8_t, 6>& statusBytes) {
    if (!receiver.Complete) return StatusNoAnswer;
    if (receiver.ErrorFlags & RxNakReceived) return StatusNak;
    if (receiver.ErrorFlags & RxChecksumMismatch) return StatusChecksum;
    return StatusWordFromBytes(statusBytes);
}

// The data as a text: up to its first NUL.
std::string_view DataText(const Receiver& receiver) {
    const auto* begin = reinterpret_cast<const char*>(receiver.Data.data());
    const std::string_view stored(begin, std::min(receiver.DataCount, receiver.Data.size()));
    return stored.substr(0, stored.find('\0'));
}

void FillFields(std::string_view data, AnswerRecord& record) {
    for (auto& field : record.Fields)
        field.clear();
    if (data.empty()) {
        record.FieldCount = 0;
        return;
    }
    std::array<std::string_view, AnswerFieldSlots> fields;
    const size_t count = SplitAnswerData(data, fields);
    for (size_t i = 0; i < count; ++i)
        record.Fields[i] = Cp1251ToUtf8(fields[i]);
    record.FieldCount = static_cast<uint32_t>(count);
}

} // namespace

void ApplyAnswerFixUp(uint32_t sentCode, std::string& data) {
    switch (sentCode) {
    case 0x32:
    case 0x35:
        data.insert(1, 1, ',');
        break;
    case 0x3E:
        if (data.size() >= 9) data[8] = ',';
        break;
    case 0x5A:
        std::replace(data.begin(), data.begin() + std::min<size_t>(data.size(), 20), ' ', ',');
        break;
    default:
        break;
    }
}

size_t SplitAnswerData(std::string_view data, std::array<std::string_view, AnswerFieldSlots>& fields) {
    fields.fill({});
    size_t end = data.size();
    if (end > 0 && data[end - 1] == ';') --end;
    size_t count = 0;
    size_t start = 0;
    // A ";" splits only when a character follows it; each new field drops one trailing ";".
    for (size_t i = 0; i < end && count + 1 < AnswerFieldSlots; ++i) {
        if (data[i] != ';' || i + 1 >= end) continue;
        fields[count++] = data.substr(start, i - start);
        start = i + 1;
        if (data[end - 1] == ';') --end;
    }
    fields[count] = data.substr(start, end - start);
    return count + 1;
}

void ParseAnswer(Receiver& receiver, const std::string& sentData, AnswerRecord& record) {
    record.FieldCount = 0;
    // An ETX before the checksum ends the frame early; the sums it leaves may still be those of an
    // older whole frame and must not let a stray ETX pass as an answer.
    const bool early = (receiver.ErrorFlags & RxEtxBeforeChecksum) != 0;
    if (receiver.Complete && (early || receiver.ReceivedSum != receiver.Sum))
        receiver.ErrorFlags |= RxChecksumMismatch;
    for (size_t i = 0; i < record.StatusBytes.size(); ++i)
        record.StatusBytes[i] = receiver.Status[i] & 0x7F;
    record.StatusWord = StatusWordOf(receiver, record.StatusBytes);

    const std::string_view received = DataText(receiver);
    record.DataCopy = Cp1251ToUtf8(received);
    std::string data(received);
    if (data.size() > 1) ApplyAnswerFixUp(record.SentCode, data);

    record.ErrorField = Cp1251ToUtf8(receiver.ErrorText.data());
    record.Description = GetCommandDescription(static_cast<int>(record.SentCode));
    record.SentData = sentData;
    FillFields(data, record);
}
