#include "tools/regsim/register_simulator.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include "platform/text/text.h"
#include "tools/regsim/frame_codec.h"

namespace regsim {

namespace {

// A command frame that stops arriving for this long is given up and answered with a NAK.
constexpr int kFrameIdleMs = 300;

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

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

// The descriptors: the master end we serve, a slave end we hold so that the master never sees a
// hang-up while no client has the port open, and an event that wakes the serving thread to stop.
struct RegisterSimulator::Io {
    int master = -1;
    int slave = -1;
    int wake = -1;

    ~Io() {
        CloseFd(master);
        CloseFd(slave);
        CloseFd(wake);
    }

    // Sleeps for ms, or less when a stop is asked for; true when it was.
    bool WaitForStop(int ms) const {
        pollfd wait{wake, POLLIN, 0};
        return poll(&wait, 1, ms) > 0;
    }

    // Sleeps until the time point, or less when a stop is asked for; true when it was.
    bool WaitUntil(std::chrono::steady_clock::time_point until) const {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return false;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        pollfd wait{wake, POLLIN, 0};
        return ppoll(&wait, 1, &timeout, nullptr) > 0;
    }

    // Writes every byte, each no earlier than the end of its wire time counted from now (byteSeconds
    // 0: all at once); false when a stop was asked for or the terminal failed.
    bool WritePaced(const char* data, size_t size, double byteSeconds) const {
        if (byteSeconds <= 0) return WriteAll(data, size);
        const auto start = std::chrono::steady_clock::now();
        const auto due = [&](size_t bytes) {
            return start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                               std::chrono::duration<double>(byteSeconds * static_cast<double>(bytes)));
        };
        for (size_t sent = 0; sent < size;) {
            if (WaitUntil(due(sent + 1))) return false;
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const size_t ready =
                std::min(size, std::max(sent + 1, static_cast<size_t>(elapsed / byteSeconds)));
            if (!WriteAll(data + sent, ready - sent)) return false;
            sent = ready;
        }
        return true;
    }

    // Writes every byte; false when a stop was asked for or the terminal failed.
    bool WriteAll(const char* data, size_t size) const {
        while (size > 0) {
            const ssize_t written = write(master, data, size);
            if (written > 0) {
                data += written;
                size -= static_cast<size_t>(written);
                continue;
            }
            if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
            pollfd waits[2] = {{master, POLLOUT, 0}, {wake, POLLIN, 0}};
            if (poll(waits, 2, -1) < 0 && errno != EINTR) return false;
            if (waits[1].revents != 0) return false;
        }
        return true;
    }
};

RegisterSimulator::RegisterSimulator() = default;

RegisterSimulator::~RegisterSimulator() {
    Stop();
}

bool RegisterSimulator::Start() {
    if (io_) return true;
    auto io = std::make_unique<Io>();
    char path[128] = {};
    io->master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (io->master < 0 || grantpt(io->master) != 0 || unlockpt(io->master) != 0 ||
        ptsname_r(io->master, path, sizeof path) != 0) {
        startError_ = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    io->slave = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    io->wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (io->slave < 0 || io->wake < 0 || !MakeRaw(io->slave) || !MakeRaw(io->master) ||
        fcntl(io->master, F_SETFL, fcntl(io->master, F_GETFL) | O_NONBLOCK) != 0) {
        startError_ = std::string("pseudo-terminal set-up failed: ") + std::strerror(errno);
        return false;
    }
    portPath_ = path;
    io_ = std::move(io);
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void RegisterSimulator::Stop() {
    if (!io_) return;
    const uint64_t one = 1;
    if (write(io_->wake, &one, sizeof one) < 0) perror("regsim: wake");
    if (thread_.joinable()) thread_.join();
    io_.reset();
}

void RegisterSimulator::Serve() {
    CommandFrameReader reader;
    char buffer[512];
    auto frameStart = std::chrono::steady_clock::now();
    for (;;) {
        pollfd waits[2] = {{io_->master, POLLIN, 0}, {io_->wake, POLLIN, 0}};
        const int ready = poll(waits, 2, reader.InFrame() ? kFrameIdleMs : -1);
        if (ready < 0 && errno != EINTR) return;
        if (waits[1].revents != 0) return;
        if (ready == 0) {
            if (auto frame = reader.Abandon()) HandleFrame(*frame);
            continue;
        }
        if (waits[0].revents == 0) continue;
        const ssize_t count = read(io_->master, buffer, sizeof buffer);
        if (count <= 0) {
            // Cannot happen while we hold the slave open; still, never spin on a broken terminal.
            if (count < 0 && errno != EAGAIN && errno != EINTR && io_->WaitForStop(50)) return;
            continue;
        }
        const auto arrived = std::chrono::steady_clock::now();
        for (ssize_t i = 0; i < count; ++i) {
            if (!reader.InFrame()) frameStart = arrived;
            if (auto frame = reader.Push(static_cast<uint8_t>(buffer[i]))) {
                WaitForArrival(*frame, frameStart);
                HandleFrame(*frame);
            }
        }
    }
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
    io_->WaitUntil(start +
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
    if (change.DelayMs > 0 && io_->WaitForStop(static_cast<int>(change.DelayMs))) return;
    const size_t piece = change.PieceSize > 0 ? change.PieceSize : bytes.size();
    for (size_t offset = 0; offset < bytes.size(); offset += piece) {
        if (offset > 0 && change.PauseMs > 0 && io_->WaitForStop(static_cast<int>(change.PauseMs))) return;
        if (!io_->WritePaced(bytes.data() + offset, std::min(piece, bytes.size() - offset), ByteSeconds()))
            return;
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
