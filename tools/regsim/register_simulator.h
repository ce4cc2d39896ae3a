#pragma once
// A simulated register on a pseudo-terminal. Kaltor opens PortPath() like a serial port; the
// simulator answers every command frame from a small register model on its own thread, records
// every frame it received, and misbehaves on demand (see AnswerOverride).
//
//     regsim::RegisterSimulator sim;
//     ASSERT_TRUE(sim.Start());
//     OpenLink(sim.PortPath(), 9600);
//     sim.SetOverride(0x21, {.Silent = true});     // 21h is never answered
//     ...
//     ASSERT_TRUE(sim.WaitForFrames(2, 2000));
//     EXPECT_EQ(sim.Frames()[1].Code, 0x80);
//
// Every method may be called from any thread. Texts are UTF-8; they travel in CP1251 on the wire.
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/ptyserve/pty_server.h"
#include "tools/regsim/register_model.h"

namespace regsim {

class CommandFrameReader;

// One command frame as it arrived.
struct ReceivedFrame {
    uint8_t Seq = 0;  // the SEQ byte as sent (20h to 7Eh from a well-behaved driver)
    uint8_t Code = 0; // the command byte
    std::string Data; // the data text, converted from CP1251 to UTF-8
    std::string Raw;  // the bytes as received, SOH to ETX (a malformed frame: what arrived of it)
    bool WellFormed = false;
};

// How one answer differs from the model's. Members left at their defaults change nothing, so
// several can be combined ({.Error = "0006", .DelayMs = 50}). Applied in this order: the answer
// frame is built with Error/Data/Status, its checksum spoiled, cut to CutAfter bytes, SYN bytes
// put inside and before it; Nak or Raw replace the frame entirely; then it is sent after DelayMs,
// in pieces of PieceSize bytes with PauseMs between them. Times are real milliseconds (the
// simulator does not follow the program's time scale). The model acts on the command whatever the
// override: a 20h answered with silence still sets the clock.
struct AnswerOverride {
    bool Silent = false;                             // send nothing at all
    bool Nak = false;                                // send one NAK (15h) instead of the answer
    std::optional<std::string> Raw = std::nullopt;   // send exactly these bytes instead of the answer
    std::optional<std::string> Error = std::nullopt; // error field, sent as given (normally 4 hex digits)
    std::optional<std::string> Data = std::nullopt;  // answer data (UTF-8); LEN is the low byte of size + 30h
    std::optional<std::array<uint8_t, 6>> Status =
        std::nullopt;         // status bytes exactly as sent (bit 7 not forced)
    bool BadChecksum = false; // last checksum character changed
    size_t SynBefore = 0;     // SYN (16h) bytes ahead of the answer
    size_t SynInside = 0;     // SYN bytes put at position SynInsideAt of the answer
    size_t SynInsideAt = 0;
    std::optional<size_t> CutAfter = std::nullopt; // send only the first K bytes of the answer frame
    size_t PieceSize = 0;                          // > 0: send in pieces of this many bytes ...
    unsigned PauseMs = 0;                          // ... with this pause between them
    unsigned DelayMs = 0;                          // wait before the first byte
};

// Start, StartError, PortPath (for OpenLink) and Stop come from the pseudo-terminal server.
class RegisterSimulator : public ptyserve::PtyServer {
public:
    RegisterSimulator();
    ~RegisterSimulator() override; // stops and closes the pseudo-terminal

    // ---- The register model -----------------------------------------------------------------
    RegisterState State() const;
    void SetState(const RegisterState& state);
    void UpdateState(const std::function<void(RegisterState&)>& change);
    // The register's clock; by default it follows the host's local clock.
    void SetClock(const DateTime& time, bool running = true);
    DateTime Clock() const;
    // The answer to every command the model does not know (default: error "0000", no data).
    void SetDefaultAnswer(const ModelAnswer& answer);

    // ---- Misbehaviour and chosen answers -------------------------------------------------------
    // Every well-formed frame with this code, until cleared.
    void SetOverride(uint8_t code, const AnswerOverride& change);
    // The next `frames` well-formed frames, whatever their code; these come before the per-code ones.
    void SetOverrideForNext(unsigned frames, const AnswerOverride& change);
    void ClearOverrides();

    // ---- What arrived -----------------------------------------------------------------------------
    std::vector<ReceivedFrame> Frames() const;
    size_t FrameCount() const;
    // Waits until at least `count` frames were received; false after timeoutMs (real milliseconds).
    bool WaitForFrames(size_t count, unsigned timeoutMs) const;
    void ClearFrames();
    // On by default; the program turns it off so that a long session does not keep every frame.
    void SetRecording(bool on);

    // ---- Line speed ---------------------------------------------------------------------------------
    // With a baud rate, every byte takes its wire time (10 bits) in both directions: a command is
    // handled only when its last byte would have arrived, and answers go out at that pace. 0 (the
    // default) sends and handles at once.
    void SetBaudRate(unsigned baud);

    // Called on the serving thread with one line per frame received ("<- ") and sent ("-> "), as hex
    // and text. Set before Start.
    void SetFrameLog(std::function<void(const std::string& line)> log);

private:
    void OnBytes(const char* bytes, size_t count) override;
    int IdleTimeoutMs() const override;
    void OnIdle() override;
    void HandleFrame(const ReceivedFrame& frame);
    void WaitForArrival(const ReceivedFrame& frame, std::chrono::steady_clock::time_point start);
    double ByteSeconds() const;
    std::optional<AnswerOverride> TakeOverride(uint8_t code);
    void Record(const ReceivedFrame& frame);
    void Send(const std::string& bytes, const AnswerOverride& change);
    void LogBytes(const char* direction, const std::string& bytes);

    std::function<void(const std::string&)> log_;
    std::unique_ptr<CommandFrameReader> reader_;       // the serving thread's
    std::chrono::steady_clock::time_point frameStart_; // when the frame being read began to arrive

    mutable std::mutex mutex_;
    mutable std::condition_variable framesArrived_;
    RegisterModel model_;
    std::map<uint8_t, AnswerOverride> perCode_;
    std::deque<AnswerOverride> next_;
    std::vector<ReceivedFrame> frames_;
    bool recording_ = true;
    unsigned baud_ = 0;
};

} // namespace regsim
