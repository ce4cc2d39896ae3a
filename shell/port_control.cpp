#include "shell/port_control.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/clock/clock.h"
#include "shell/main_window_usb.h"

namespace {

const char* const kNotOpen = "Port was not opened!\nError = -1";

// One enumeration at a time for every instance: the ports found at its start and where it stands.
struct Enumeration {
    bool running = false;
    bool holdsSet = false;
    size_t index = 0;
    std::vector<SerialDevice> ports;
};
Enumeration& SharedEnumeration() {
    static Enumeration enumeration;
    return enumeration;
}

void ReleaseSet(Enumeration& enumeration) {
    enumeration.ports.clear();
    enumeration.holdsSet = false;
}

// A name of the form "com" + 1..256, in any case.
bool IsComName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6) return false;
    for (size_t i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i]) return false;
    int number = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= 256;
}

// A tty device under /dev ("ttyS0", "ttyUSB0", "ttyACM0") or an absolute path to one.
bool IsLinuxPortName(const std::string& name) {
    if (name.size() > 1 && name[0] == '/') return true;
    return name.size() > 3 && name.compare(0, 3, "tty") == 0 && name.find('/') == std::string::npos;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Saturates instead of wrapping: a large multiplier or count must not shrink the time-out.
uint32_t TotalReadTimeout(const T1CommTimeouts& t, size_t count) {
    const uint64_t total =
        static_cast<uint64_t>(t.ReadTotalTimeoutMultiplier) * count + t.ReadTotalTimeoutConstant;
    return total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
}

} // namespace

TPortControl::TPortControl() = default;

TPortControl::TPortControl(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

DeviceTree TPortControl::Devices() const {
    return DeviceTree(sysfsRoot_ ? *sysfsRoot_ : SysfsRoot());
}

TPortControl::~TPortControl() {
    if (serial_.IsOpen()) serial_.Close();
}

bool TPortControl::IsOpen() const {
    return serial_.IsOpen();
}

uint32_t TPortControl::BaudRateValue(speed rate) {
    static const uint32_t values[] = {256000, 128000, 115200, 57600, 56000, 38400, 19200, 11400,
                                      9600,   4800,   2400,   1200,  600,   300,   110};
    return values[static_cast<int>(rate)];
}

// Linux port names are case-sensitive and kept as given; "com" names keep their rule and are
// stored in upper case, which opens /dev/COMn (a link a udev rule may provide).
void TPortControl::SetNumPort(const std::string& name) {
    if (serial_.IsOpen()) return;
    if (IsComName(name))
        port_ = Upper(name);
    else if (IsLinuxPortName(name))
        port_ = name;
}

int TPortControl::Succeed() {
    lastError_ = 0;
    description_.clear();
    return 0;
}

int TPortControl::Refuse(int code, const char* text) {
    lastError_ = 0;
    if (EnableDescr) description_ = text;
    return code;
}

int TPortControl::FailAfterPortCall(int code) {
    lastError_ = static_cast<int>(serial_.LastError());
    if (EnableDescr) ErrorString(lastError_);
    return code;
}

int TPortControl::CheckOpen(const char* notOpenText) {
    return serial_.IsOpen() ? 0 : Refuse(-1, notOpenText);
}

int TPortControl::CheckSession(const char* notOpenText, const char* noSessionText) {
    if (!serial_.IsOpen()) return Refuse(-1, notOpenText);
    return session_ ? 0 : Refuse(-21, noSessionText);
}

void TPortControl::ErrorString(int systemCode) {
    char text[256];
    std::snprintf(text, sizeof text, "%s\nError = 0x%lx",
                  SerialErrorText(static_cast<SerialError>(systemCode)).c_str(),
                  static_cast<unsigned long>(systemCode));
    description_ = text;
}

int TPortControl::OpenPort() {
    if (serial_.IsOpen()) return Refuse(-20, "Port was opened!\nError = -20");
    if (serial_.Open(port_) != SerialError::None) return FailAfterPortCall(-2);
    const int code = ApplyLineSettings();
    if (code != 0) return code;
    ApplyModemLines();
    return Succeed();
}

// A port whose line settings are refused is closed again, so that the next open can try anew.
int TPortControl::ApplyLineSettings() {
    LineSettings line;
    line.BaudRate = BaudRateValue(BaudRate);
    line.DataBits = 5 + static_cast<int>(DataBits);
    static const ::Parity parities[] = {::Parity::None, ::Parity::Even, ::Parity::Mark, ::Parity::Odd};
    line.ParityMode = parities[static_cast<int>(Parity)];
    static const ::StopBits stops[] = {::StopBits::One, ::StopBits::OneAndHalf, ::StopBits::Two};
    line.Stop = stops[static_cast<int>(StopBits)];
    if (serial_.Configure(line) == SerialError::None) return 0;
    const int code = FailAfterPortCall(-4);
    serial_.Close();
    return code;
}

// Handshake keeps the line raised, as the port has no hardware handshake of its own here.
// Pseudo-terminals have no modem lines, so a line that cannot be set does not fail the open.
void TPortControl::ApplyModemLines() {
    serial_.SetDtr(DTR != dtrcontrol::DTR_DISABLE);
    serial_.SetRts(RTS != rtscontrol::RTS_DISABLE);
}

// A port that cannot drain or purge (a device pulled out) is still closed, so it never stays stuck
// open; the failure is still reported.
int TPortControl::ClosePort() {
    if (CheckOpen(kNotOpen) != 0) return -1;
    int code = 0;
    if (!serial_.Drain())
        code = FailAfterPortCall(-6);
    else if (!serial_.Purge(true, true))
        code = FailAfterPortCall(-15);
    serial_.Close();
    session_ = false;
    return code != 0 ? code : Succeed();
}

int TPortControl::PurgeAll() {
    return serial_.Purge(true, true) ? 0 : FailAfterPortCall(-15);
}

// Process priority and memory locking serve a platform with a different scheduler: on Linux an
// ordinary user may not raise either, and reads and writes block in the kernel, so the session
// only marks itself open.
int TPortControl::StartSession(bool purge) {
    if (CheckOpen(kNotOpen) != 0) return -1;
    if (session_) return Refuse(-16, "Session was opened!\nError = -16");
    if (purge && PurgeAll() != 0) return -15;
    session_ = true;
    return Succeed();
}

int TPortControl::EndSession(bool purge) {
    const int check = CheckSession(kNotOpen, "Session was not opened!\nError = -21");
    if (check != 0) return check;
    if (purge && PurgeAll() != 0) return -15;
    session_ = false;
    return Succeed();
}

int TPortControl::WriteData(const void* buffer, size_t count, size_t& written) {
    written = 0;
    const int check =
        CheckSession("Port was not opened.\nError = -1", "Session was not opened.\nError = -21");
    if (check != 0) return check;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (!Buffering) {
        if (WriteByteByByte(bytes, count, written) != 0) return -18;
    } else {
        const long n = serial_.Write(bytes, count);
        if (n < 0 || static_cast<size_t>(n) != count) return FailAfterPortCall(-18);
        written = count;
    }
    return serial_.Drain() ? Succeed() : FailAfterPortCall(-6);
}

int TPortControl::WriteByteByByte(const uint8_t* bytes, size_t count, size_t& written) {
    for (; written < count; ++written)
        if (serial_.Write(bytes + written, 1) != 1) return FailAfterPortCall(-18);
    return 0;
}

int TPortControl::ReadData(void* buffer, size_t count, size_t& read) {
    read = 0;
    const int check = CheckSession(kNotOpen, "Session was not opened!!\nError = -21");
    if (check != 0) return check;
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (WaitEndChar) return ReadUntilEndChar(bytes, count, read);
    const long n = ReadWithTimeouts(bytes, count);
    if (n < 0) return FailAfterPortCall(-17);
    read = static_cast<size_t>(n);
    return Succeed();
}

int TPortControl::ReadUntilEndChar(uint8_t* bytes, size_t count, size_t& read) {
    while (read < count) {
        const long n = ReadWithTimeouts(bytes + read, 1);
        if (n < 0) return FailAfterPortCall(-17);
        if (n == 0) break;
        if (bytes[read++] == static_cast<uint8_t>(EndChar)) return Succeed();
    }
    return Refuse(-19, "End character is absent.\nError = -19");
}

// The read time-outs of the properties: a total for the whole read and, once bytes flow, a longest
// gap between them. With no time-out at all a read takes only what has already arrived, so a
// silent port never blocks the caller.
long TPortControl::ReadWithTimeouts(uint8_t* bytes, size_t count) {
    const uint32_t total = TotalReadTimeout(timeout_, count);
    const uint32_t interval = timeout_.ReadIntervalTimeout;
    if (interval == ReadReturnsAtOnce && total == 0) return serial_.Read(bytes, count, 0);
    if (interval == 0 || interval == ReadReturnsAtOnce) return serial_.Read(bytes, count, total);
    const int64_t start = MonotonicMs();
    // Only the first byte waits for the total; the rest come while no gap exceeds the interval.
    long got = serial_.Read(bytes, count > 0 ? 1 : 0, total > 0 ? total : interval);
    while (got > 0 && static_cast<size_t>(got) < count) {
        if (total > 0 && MonotonicMs() - start >= ScaledMs(total)) break;
        const long more = serial_.Read(bytes + got, count - got, interval);
        if (more < 0) return more;
        if (more == 0) break;
        got += more;
    }
    return got;
}

int TPortControl::ClearError() {
    const int check = CheckSession(kNotOpen, "Session was not opened\nError = -21");
    if (check != 0) return check;
    serial_.ClearError();
    return PurgeAll() != 0 ? -15 : Succeed();
}

int TPortControl::EscapeCommFunction(int function) {
    const int check = CheckSession(kNotOpen, "Session was not opened.\nError = -21");
    if (check != 0) return check;
    bool done = false;
    switch (function) {
    case SETRTS:
        done = serial_.SetRts(true);
        break;
    case CLRRTS:
        done = serial_.SetRts(false);
        break;
    case SETDTR:
        done = serial_.SetDtr(true);
        break;
    case CLRDTR:
        done = serial_.SetDtr(false);
        break;
    case SETBREAK:
        done = serial_.SetBreak(true);
        break;
    case CLRBREAK:
        done = serial_.SetBreak(false);
        break;
    default:
        break; // software flow control and device reset are not offered by the port
    }
    return done ? Succeed() : FailAfterPortCall(-22);
}

int TPortControl::ClearBuffers(unsigned flags) {
    const int check = CheckSession(kNotOpen, "Session was not opened.\nError = -21");
    if (check != 0) return check;
    const bool receive = (flags & (PURGE_RXABORT | PURGE_RXCLEAR)) != 0;
    const bool transmit = (flags & (PURGE_TXABORT | PURGE_TXCLEAR)) != 0;
    if ((receive || transmit) && !serial_.Purge(receive, transmit)) return FailAfterPortCall(-23);
    return Succeed();
}

// Time-outs are applied at each read, so there is nothing to hand to the port.
int TPortControl::SetPortTimeouts() {
    return CheckOpen(kNotOpen) != 0 ? -1 : Succeed();
}

int TPortControl::EnableFIFO(bool) {
    return -24;
}
int TPortControl::SetFIFOSize(bool, int) {
    return -24;
}
int TPortControl::IsFIFOEnable() {
    return -24;
}
int TPortControl::GetFIFOSize(bool) {
    return -24;
}

int TPortControl::BeginEnumeratePorts() {
    Enumeration& enumeration = SharedEnumeration();
    if (enumeration.running) return -27;
    enumeration.running = true;
    enumeration.holdsSet = true;
    enumeration.index = 0;
    enumeration.ports = Devices().SerialPorts();
    return 0;
}

std::string TPortControl::EnumeratePorts() {
    Enumeration& enumeration = SharedEnumeration();
    if (!enumeration.holdsSet) return {};
    if (enumeration.index >= enumeration.ports.size()) {
        ReleaseSet(enumeration);
        return {};
    }
    return enumeration.ports[enumeration.index++].PortName;
}

int TPortControl::EndEnumeratePorts() {
    Enumeration& enumeration = SharedEnumeration();
    enumeration.running = false;
    enumeration.index = 0;
    ReleaseSet(enumeration);
    return 0;
}

std::optional<SerialDevice> TPortControl::GetDeviceKey(const std::string& portName) const {
    for (const SerialDevice& device : Devices().SerialPorts())
        if (device.PortName == portName) return device;
    return std::nullopt;
}
