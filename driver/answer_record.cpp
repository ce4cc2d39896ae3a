#include "driver/answer_record.h"

namespace {

// StatusWord bit for bits 0 to 5 of each status byte S0..S5; 0 = not mapped.
constexpr uint32_t StatusBitMap[6][6] = {
    {0x00000001, 0x00000002, 0x00000004, 0, 0x00000008, 0x08000000},
    {0x00000010, 0x00000020, 0x00000040, 0x00000080, 0x00000100, 0x00001000},
    {0x00000200, 0, 0, 0x00000400, 0, 0x00000800},
    {0, 0, 0, 0, 0, 0},
    {0x00010000, 0, 0x00002000, 0x00100000, 0x00020000, 0x10000000},
    {0x00040000, 0x00200000, 0x00080000, 0x00400000, 0x00800000, 0x00004000},
};

} // namespace

const std::string& AnswerRecord::Field(int n) const {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(AnswerFieldSlots)) return empty;
    return Fields[n - 1];
}

void AnswerRecord::MarkNotSent() {
    StatusWord = StatusNotSent;
    FieldCount = 0;
    SentData.clear();
    DataCopy.clear();
    ErrorField.clear();
    for (auto& field : Fields)
        field.clear();
    StatusBytes.fill(0);
    SentFrame.clear();
}

uint32_t StatusWordFromBytes(const std::array<uint8_t, 6>& statusBytes) {
    uint32_t word = 0;
    for (size_t byte = 0; byte < statusBytes.size(); ++byte)
        for (int bit = 0; bit < 6; ++bit)
            if (statusBytes[byte] & (1u << bit)) word |= StatusBitMap[byte][bit];
    return word;
}
