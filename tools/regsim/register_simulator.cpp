#include "tools/regsim/register_simulator.h"

#include <chrono>
#include <cstdio>

#include "platform/text/text.h"
#include "tools/regsim/frame_codec.h"

namespace regsim {

namespace {

// A command frame that stops arriving for this long is given up and answered with a NAK.
constexpr int kFrameIdleMs = 300;

std::string HexAndText(const std::string& bytes) {
    std::string hex, text;
    char two[4];
    for (unsigned char byte : bytes) {
        std::snprintf(two, sizeof two, "%02X ", byte);
        hex += two;
        text += byte < 0x20 ? '.' : static_cast<char>(byte);
    }
    return hex + " |" + Cp1251ToUtf8(text) + "|";
}

} // namespace

RegisterSimulator::RegisterSimulator() : reader_(std::make_unique<CommandFrameReader>()) {}

RegisterSimulator::~RegisterSimulator() {
    Stop();
}

void RegisterSimulator::OnBytes(const char* bytes, size_t count) {
    const auto arrived = std::chrono::steady_clock::now();
    for (size_t i = 0; i < count; ++i) {
        if (!reader_->InFrame()) frameStart_ = arrived;
        if (auto frame = reader_->Push(static_cast<uint8_t>(bytes[i]))) {
            WaitForArrival(*frame, frameStart_);
            HandleFrame(*frame);
        }
    }
}

int RegisterSimulator::IdleTimeoutMs() const {
    return reader_->InFrame() ? kFrameIdleMs : -1;
}

void RegisterSimulator::OnIdle() {
    if (auto frame = reader_->Abandon()) HandleFrame(*frame);
}

void RegisterSimulator::HandleFrame(const ReceivedFrame& frame) {
    Record(frame);
    LogBytes("<- ", frame.Raw);
    if (!frame.WellFormed) {
        Send(std::string(1, static_cast<char>(kNak)), {});
        return;
    }
    AnswerOverride change;
    AnswerFrameParts parts{frame.Seq, frame.Code, {}, {}, {}};
    {
        std::lock_guard lock(mutex_);
        change = TakeOverride(frame.Code).value_or(AnswerOverride{});
        const ModelAnswer answer = model_.Handle(frame.Code, frame.Data);
        if (answer.Silent) return;
        parts.Error = change.Error.value_or(answer.Error);
        parts.Data = Utf8ToCp1251(change.Data.value_or(answer.Data));
        for (size_t i = 0; i < parts.Status.size(); ++i)
            parts.Status[i] = model_.State.Status[i] | 0x80;
    }
    if (change.Status) parts.Status = *change.Status;
    if (change.Silent) return;
    Send(ApplyByteChanges(BuildAnswerFrame(parts), change), change);
}

// At a set baud rate a frame is complete only when its last byte would have come down the line.
void RegisterSimulator::WaitForArrival(const ReceivedFrame& frame,
                                       std::chrono::steady_clock::time_point start) {
    const double byteSeconds = ByteSeconds();
    if (byteSeconds <= 0) return;
    WaitUntil(start +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                  std::chrono::duration<double>(byteSeconds * static_cast<double>(frame.Raw.size()))));
}

double RegisterSimulator::ByteSeconds() const {
    std::lock_guard lock(mutex_);
    return baud_ > 0 ? 10.0 / baud_ : 0.0;
}

std::optional<AnswerOverride> RegisterSimulator::TakeOverride(uint8_t code) {
    if (!next_.empty()) {
        AnswerOverride change = next_.front();
        next_.pop_front();
        return change;
    }
    auto found = perCode_.find(code);
    if (found == perCode_.end()) return std::nullopt;
    return found->second;
}

void RegisterSimulator::Record(const ReceivedFrame& frame) {
    {
        std::lock_guard lock(mutex_);
        if (!recording_) return;
        frames_.push_back(frame);
    }
    framesArrived_.notify_all();
}

void RegisterSimulator::Send(const std::string& bytes, const AnswerOverride& change) {
    if (change.DelayMs > 0 && WaitForStop(static_cast<int>(change.DelayMs))) return;
    const size_t piece = change.PieceSize > 0 ? change.PieceSize : bytes.size();
    for (size_t offset = 0; offset < bytes.size(); offset += piece) {
        if (offset > 0 && change.PauseMs > 0 && WaitForStop(static_cast<int>(change.PauseMs))) return;
        if (!WritePaced(bytes.data() + offset, std::min(piece, bytes.size() - offset), ByteSeconds())) return;
    }
    LogBytes("-> ", bytes);
}

void RegisterSimulator::LogBytes(const char* direction, const std::string& bytes) {
    if (log_ && !bytes.empty()) log_(direction + HexAndText(bytes));
}

RegisterState RegisterSimulator::State() const {
    std::lock_guard lock(mutex_);
    return model_.State;
}

void RegisterSimulator::SetState(const RegisterState& state) {
    std::lock_guard lock(mutex_);
    model_.State = state;
}

void RegisterSimulator::UpdateState(const std::function<void(RegisterState&)>& change) {
    std::lock_guard lock(mutex_);
    change(model_.State);
}

void RegisterSimulator::SetClock(const DateTime& time, bool running) {
    std::lock_guard lock(mutex_);
    model_.SetClock(time, running);
}

DateTime RegisterSimulator::Clock() const {
    std::lock_guard lock(mutex_);
    return model_.Clock();
}

void RegisterSimulator::SetDefaultAnswer(const ModelAnswer& answer) {
    std::lock_guard lock(mutex_);
    model_.DefaultAnswer = answer;
}

void RegisterSimulator::SetOverride(uint8_t code, const AnswerOverride& change) {
    std::lock_guard lock(mutex_);
    perCode_[code] = change;
}

void RegisterSimulator::SetOverrideForNext(unsigned frames, const AnswerOverride& change) {
    std::lock_guard lock(mutex_);
    next_.insert(next_.end(), frames, change);
}

void RegisterSimulator::ClearOverrides() {
    std::lock_guard lock(mutex_);
    perCode_.clear();
    next_.clear();
}

std::vector<ReceivedFrame> RegisterSimulator::Frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

size_t RegisterSimulator::FrameCount() const {
    std::lock_guard lock(mutex_);
    return frames_.size();
}

bool RegisterSimulator::WaitForFrames(size_t count, unsigned timeoutMs) const {
    std::unique_lock lock(mutex_);
    return framesArrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [&] { return frames_.size() >= count; });
}

void RegisterSimulator::ClearFrames() {
    std::lock_guard lock(mutex_);
    frames_.clear();
}

void RegisterSimulator::SetRecording(bool on) {
    std::lock_guard lock(mutex_);
    recording_ = on;
}

void RegisterSimulator::SetBaudRate(unsigned baud) {
    std::lock_guard lock(mutex_);
    baud_ = baud;
}

void RegisterSimulator::SetFrameLog(std::function<void(const std::string& line)> log) {
    log_ = std::move(log);
}

} // namespace regsim
