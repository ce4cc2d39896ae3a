#pragma once
// A reusable serial-port component: opens a port with settings taken from its properties, reads
// and writes bytes inside a session, and lists the serial ports present on the machine.
// Every method answers with an integer code (0 success, negative failure), keeps the last port
// error in LastError and, when EnableDescr is set, leaves a text in Description.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/devices/devices.h"
#include "platform/serial/serial_port.h"

enum class dtrcontrol { DTR_DISABLE, DTR_ENABLE, DTR_HANDSHAKE };
enum class rtscontrol { RTS_DISABLE, RTS_ENABLE, RTS_HANDSHAKE };
enum class databit { Bits5, Bits6, Bits7, Bits8 };
enum class speed {
    S256000,
    S128000,
    S115200,
    S057600,
    S056000,
    S038400,
    S019200,
    S011400,
    S009600,
    S004800,
    S002400,
    S001200,
    S000600,
    S000300,
    S000110
};
enum class parity { NO, EVEN, MARK, ODD };
enum class stopbits { ONE, ONE5, TWO };

// Read and write time-outs in milliseconds. A read of n bytes may take
// ReadTotalTimeoutMultiplier * n + ReadTotalTimeoutConstant; ReadIntervalTimeout bounds the gap
// between two bytes once the first has come. The write fields are kept for the property set:
// writes here always wait until the bytes have left.
struct T1CommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 1000;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};

// ReadIntervalTimeout with both read totals 0: a read returns at once with what has arrived.
constexpr uint32_t ReadReturnsAtOnce = 0xFFFFFFFF;

// Function codes of EscapeCommFunction.
enum CommEscape : int { SETXOFF = 1, SETXON, SETRTS, CLRRTS, SETDTR, CLRDTR, RESETDEV, SETBREAK, CLRBREAK };

// Flags of ClearBuffers.
enum PurgeFlags : unsigned { PURGE_TXABORT = 1, PURGE_RXABORT = 2, PURGE_TXCLEAR = 4, PURGE_RXCLEAR = 8 };

class TPortControl {
public:
    // Ports are looked up under the program's sysfs root (SysfsRoot(), read at each lookup), or under
    // the given one.
    TPortControl();
    explicit TPortControl(std::string sysfsRoot);
    ~TPortControl();
    TPortControl(const TPortControl&) = delete;
    TPortControl& operator=(const TPortControl&) = delete;

    // Properties.
    const T1CommTimeouts& Timeout() const { return timeout_; }
    void SetTimeout(const T1CommTimeouts& timeouts) { timeout_ = timeouts; }
    const std::string& Port() const { return port_; }
    void SetNumPort(const std::string& name);
    bool Buffering = false; // false: bytes are written one by one
    dtrcontrol DTR = dtrcontrol::DTR_HANDSHAKE;
    rtscontrol RTS = rtscontrol::RTS_HANDSHAKE;
    databit DataBits = databit::Bits8;
    speed BaudRate = speed::S009600;
    parity Parity = parity::NO;
    stopbits StopBits = stopbits::ONE;
    char EndChar = 0;
    bool WaitEndChar = false;
    bool EnableDescr = false;

    int LastError() const { return lastError_; }
    const std::string& Description() const { return description_; }
    bool IsOpen() const;
    bool InSession() const { return session_; }

    int OpenPort();
    int ClosePort();
    int StartSession(bool purge);
    int EndSession(bool purge);
    int WriteData(const void* buffer, size_t count, size_t& written);
    int ReadData(void* buffer, size_t count, size_t& read);
    int ClearError();
    int EscapeCommFunction(int function);
    int ClearBuffers(unsigned flags);
    int SetPortTimeouts();

    // UART FIFO settings live in a driver registry that this platform does not have.
    int EnableFIFO(bool on);
    int SetFIFOSize(bool receive, int size);
    int IsFIFOEnable();
    int GetFIFOSize(bool receive);

    // Port enumeration, one at a time for all instances.
    int BeginEnumeratePorts();
    std::string EnumeratePorts();
    int EndEnumeratePorts();

    // The present serial device with that port name; nullopt when none has it.
    std::optional<SerialDevice> GetDeviceKey(const std::string& portName) const;

    // Description := the port error's text, "%s\nError = 0x%lx".
    void ErrorString(int systemCode);

    static uint32_t BaudRateValue(speed rate);

private:
    int Succeed();
    int Refuse(int code, const char* text);
    int FailAfterPortCall(int code);
    int CheckOpen(const char* notOpenText);
    int CheckSession(const char* notOpenText, const char* noSessionText);
    int ApplyLineSettings();
    void ApplyModemLines();
    int PurgeAll();
    int WriteByteByByte(const uint8_t* bytes, size_t count, size_t& written);
    int ReadUntilEndChar(uint8_t* bytes, size_t count, size_t& read);
    long ReadWithTimeouts(uint8_t* bytes, size_t count);

    DeviceTree Devices() const;

    SerialPort serial_;
    std::optional<std::string> sysfsRoot_;
    T1CommTimeouts timeout_;
    std::string port_;
    bool session_ = false;
    int lastError_ = 0;
    std::string description_;
};
