#pragma once
// One serial port: a tty device under /dev or any path (pseudo-terminals, links).
// Results are values, never exceptions. Time-outs are scaled through platform/clock.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

enum class SerialError {
    None,
    NotFound,         // no such device
    NotSerial,        // the path is there but is no serial port (a plain file, a fifo, a folder)
    PermissionDenied, // e.g. not in the dialout group
    Busy,             // already open elsewhere (ports are opened exclusively)
    NotOpen,
    Unsupported, // a line setting the device refuses
    Io,          // the device failed or went away while open
};
std::string SerialErrorText(SerialError error);

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

struct LineSettings {
    uint32_t BaudRate = 9600;
    int DataBits = 8;
    Parity ParityMode = Parity::None;
    StopBits Stop = StopBits::One;
};

class SerialPort {
public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // "ttyUSB0" opens /dev/ttyUSB0; a name starting with "/" is opened as that path.
    static std::string DevicePath(const std::string& name);

    // Exclusive: Busy while this or any other SerialPort or process holds the device.
    SerialError Open(const std::string& name);
    bool IsOpen() const; // from a successful Open to Close, even after the device went away
    void Close();

    // Unsupported for settings no UART has (4 or 9 data bits, 1.5 stop bits with more than 5 data
    // bits, speed 0). A pseudo-terminal takes any settings; those it cannot hold change nothing.
    SerialError Configure(const LineSettings& settings);

    // Waits until count bytes came or totalTimeoutMs passed; returns the number read (0 on a time-out),
    // or -1 on an error (see LastError). A waiting thread uses no CPU. Bytes that came before a
    // failure are returned first; the next call reports the failure.
    long Read(void* buffer, size_t count, unsigned totalTimeoutMs);
    // Writes all bytes; returns the number written, -1 on an error (also when the far end takes
    // nothing for longer than a full transmit queue needs at the line speed, plus five seconds).
    long Write(const void* data, size_t count);
    bool Drain(); // waits until everything written has left
    bool Purge(bool receive, bool transmit);
    bool SetDtr(bool on);
    bool SetRts(bool on);
    bool SetBreak(bool on);

    SerialError LastError() const;
    void ClearError();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
