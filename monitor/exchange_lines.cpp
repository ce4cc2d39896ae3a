#include "monitor/exchange_lines.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/text/text.h"

namespace {

constexpr size_t FrameTailSize = 6;   // ENQ, four check characters, ETX
constexpr size_t AnswerTailSize = 13; // EOT, six status bytes, ENQ, four check characters, ETX
constexpr size_t FrameHeadSize = 4;   // SOH, LEN, SEQ, CMD
constexpr size_t StatusByteCount = 6;

// Below 20h, 7Fh, and the code-page bytes without a character (they stand for C1 control codes).
bool IsControlByte(unsigned char byte) {
    static const std::array<bool, 256> control = [] {
        std::array<bool, 256> table{};
        for (int value = 0; value < 256; ++value) {
            const char single = static_cast<char>(value);
            const std::string character = Cp1251ToUtf8(std::string_view(&single, 1));
            table[value] = value < 0x20 || value == 0x7F ||
                           (character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xC2 &&
                            static_cast<unsigned char>(character[1]) < 0xA0);
        }
        return table;
    }();
    return control[byte];
}

// The bytes from the one after the first SOH (the length byte); all of them when there is no SOH.
std::string_view FromLengthByte(std::string_view frame) {
    const size_t soh = frame.find('\x01');
    return soh == std::string_view::npos ? frame : frame.substr(soh + 1);
}

// The received bytes: the raw answer up to its first NUL.
std::string_view ReceivedBytes(const AnswerRecord& answer) {
    return std::string_view(answer.RawAnswer.data(),
                            strnlen(answer.RawAnswer.data(), answer.RawAnswer.size()));
}

std::string_view WithoutTail(std::string_view bytes, size_t tail) {
    return bytes.substr(0, bytes.size() > tail ? bytes.size() - tail : 0);
}

} // namespace

std::string ShownBytes(std::string_view bytes) {
    std::string shown;
    size_t plainFrom = 0;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && !IsControlByte(static_cast<unsigned char>(bytes[i]))) continue;
        shown += Cp1251ToUtf8(bytes.substr(plainFrom, i - plainFrom));
        if (i < bytes.size()) {
            char code[5];
            std::snprintf(code, sizeof code, "<%02X>", static_cast<unsigned char>(bytes[i]));
            shown += code;
        }
        plainFrom = i + 1;
    }
    return shown;
}

// The status bytes after EOT always have bit 7 set: they show as hexadecimal, not as letters.
std::string ShownAnswer(std::string_view answer) {
    const size_t eot = answer.find('\x04');
    if (eot == std::string_view::npos) return ShownBytes(answer);
    const std::string_view status = answer.substr(eot + 1, StatusByteCount);
    std::string shown = ShownBytes(answer.substr(0, eot + 1));
    for (unsigned char byte : status) {
        char code[5];
        std::snprintf(code, sizeof code, "<%02X>", byte);
        shown += code;
    }
    return shown + ShownBytes(answer.substr(eot + 1 + status.size()));
}

std::string SentFrameLine(const AnswerRecord& answer) {
    return "PC: " + ShownBytes(FromLengthByte(answer.SentFrame));
}

std::string AnswerFrameLine(const AnswerRecord& answer) {
    return "FP: " + ShownAnswer(FromLengthByte(ReceivedBytes(answer)));
}

std::string SentDataLine(const std::string& code, const AnswerRecord& answer) {
    const std::string_view frame = answer.SentFrame;
    const std::string_view data =
        frame.size() > FrameHeadSize ? frame.substr(FrameHeadSize) : std::string_view();
    return "PC: (" + code + ")" + ShownBytes(WithoutTail(data, FrameTailSize));
}

std::string AnswerDataLine(const AnswerRecord& answer) {
    return "FP: " + ShownBytes(WithoutTail(FromLengthByte(ReceivedBytes(answer)), AnswerTailSize));
}
