#include "tools/regsim/frame_codec.h"

#include <algorithm>

#include "platform/text/text.h"

namespace regsim {

namespace {

// LEN of a command frame counts the data plus SEQ, CMD, ENQ and itself, from 20h.
constexpr uint8_t kCommandLenBase = 0x24;
// SOH, LEN, SEQ, CMD, ENQ, four checksum characters, ETX.
constexpr size_t kCommandOverhead = 10;
constexpr uint8_t kAnswerLenBase = 0x30;

} // namespace

std::string ChecksumChars(std::string_view bytes) {
    unsigned sum = 0;
    for (unsigned char byte : bytes)
        sum += byte;
    std::string chars(4, '0');
    for (int i = 0; i < 4; ++i)
        chars[i] = static_cast<char>(0x30 + ((sum >> (12 - 4 * i)) & 0x0F));
    return chars;
}

std::string BuildAnswerFrame(const AnswerFrameParts& parts) {
    std::string frame(1, static_cast<char>(kSoh));
    frame += static_cast<char>((parts.Data.size() + kAnswerLenBase) & 0xFF);
    frame += static_cast<char>(parts.Seq);
    frame += static_cast<char>(parts.Code);
    frame += parts.Error;
    frame += ';';
    frame += parts.Data;
    frame += static_cast<char>(kEot);
    for (uint8_t status : parts.Status)
        frame += static_cast<char>(status);
    frame += static_cast<char>(kEnq);
    frame += ChecksumChars(std::string_view(frame).substr(1));
    frame += static_cast<char>(kEtx);
    return frame;
}

std::optional<ReceivedFrame> CommandFrameReader::Push(uint8_t byte) {
    if (raw_.empty() && byte != kSoh) return std::nullopt;
    raw_ += static_cast<char>(byte);
    if (raw_.size() == 2) {
        if (byte < kCommandLenBase) return Finish();
        expected_ = byte - kCommandLenBase + kCommandOverhead;
    }
    if (raw_.size() > 2 && raw_.size() == expected_) return Finish();
    return std::nullopt;
}

std::optional<ReceivedFrame> CommandFrameReader::Abandon() {
    if (raw_.empty()) return std::nullopt;
    ReceivedFrame frame;
    frame.Raw.swap(raw_);
    expected_ = 0;
    return frame;
}

std::optional<ReceivedFrame> CommandFrameReader::Finish() {
    ReceivedFrame frame;
    frame.Raw.swap(raw_);
    const std::string& raw = frame.Raw;
    const size_t size = expected_;
    expected_ = 0;
    if (raw.size() < kCommandOverhead || raw.size() != size) return frame; // LEN too small
    const size_t enqAt = size - 6;
    frame.Seq = static_cast<uint8_t>(raw[2]);
    frame.Code = static_cast<uint8_t>(raw[3]);
    frame.Data = Cp1251ToUtf8(std::string_view(raw).substr(4, enqAt - 4));
    frame.WellFormed = static_cast<uint8_t>(raw[enqAt]) == kEnq && static_cast<uint8_t>(raw.back()) == kEtx &&
                       raw.compare(enqAt + 1, 4, ChecksumChars(std::string_view(raw).substr(1, enqAt))) == 0;
    return frame;
}

std::string ApplyByteChanges(std::string frame, const AnswerOverride& change) {
    if (change.Nak) return std::string(1, static_cast<char>(kNak));
    if (change.Raw) return *change.Raw;
    // The last checksum character sits before ETX; flipping its low bit keeps it within "0" to "?".
    if (change.BadChecksum && frame.size() >= 2) frame[frame.size() - 2] ^= 1;
    if (change.CutAfter && *change.CutAfter < frame.size()) frame.resize(*change.CutAfter);
    if (change.SynInside > 0) {
        const size_t at = std::min(change.SynInsideAt, frame.size());
        frame.insert(at, change.SynInside, static_cast<char>(kSyn));
    }
    frame.insert(0, change.SynBefore, static_cast<char>(kSyn));
    return frame;
}

} // namespace regsim
