#pragma once
// A device simulated on a pseudo-terminal: the program under test opens PortPath() as its serial
// port, and a serving thread hands every byte that arrives to the device and writes its answers.
// Shared by the register and the bank-terminal simulators.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace ptyserve {

class PtyServer {
public:
    PtyServer();
    virtual ~PtyServer(); // a device must Stop() in its own destructor, before its members go
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal and starts serving; false (see StartError) when no terminal can be had.
    bool Start();
    const std::string& StartError() const { return startError_; }
    // The slave's path (such as /dev/pts/3). Empty before Start.
    const std::string& PortPath() const { return portPath_; }
    // Ends the serving thread promptly, even in the middle of a slow answer; the terminal is closed.
    void Stop();

    // Waits until every byte that reached the device was handled, answers included (a device that
    // waits for the rest of a message it has begun is idle); true at once when not serving. False
    // when limitMs (real milliseconds) passed first. Callable from any thread.
    bool WaitUntilIdle(int limitMs) const;

protected:
    // On the serving thread: the bytes of one read, as they arrived.
    virtual void OnBytes(const char* bytes, size_t count) = 0;
    // How long the serving thread may wait for bytes before OnIdle; -1 (the default): for ever.
    virtual int IdleTimeoutMs() const { return -1; }
    virtual void OnIdle() {}

    // For the device's answers, on the serving thread. Each returns early (true for the waits, false
    // for the writes) when a stop is asked for.
    // Sleeps for ms, or less when a stop is asked for; true when it was.
    bool WaitForStop(int ms) const;
    // Sleeps until the time point, or less when a stop is asked for; true when it was.
    bool WaitUntil(std::chrono::steady_clock::time_point until) const;
    // Writes every byte; false when a stop was asked for or the terminal failed.
    bool WriteAll(const char* data, size_t size) const;
    // Writes every byte, each no earlier than the end of its wire time counted from now (byteSeconds
    // 0: all at once); false when a stop was asked for or the terminal failed.
    bool WritePaced(const char* data, size_t size, double byteSeconds) const;

private:
    struct Io;
    class Handling;
    void Serve();
    bool BytesWaiting() const;

    std::unique_ptr<Io> io_;
    std::thread thread_;
    std::string portPath_;
    std::string startError_;

    mutable std::mutex idleLock_;
    mutable std::condition_variable idleChanged_;
    bool serving_ = false;  // io_ is there for WaitUntilIdle
    bool handling_ = false; // the serving thread reads or handles bytes
};

} // namespace ptyserve
