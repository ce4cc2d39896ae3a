// The port is opened, set up and switched (modem lines, break, purge) through QSerialPort, which
// works without a QCoreApplication: those are plain calls on the descriptor. Reading and writing
// go straight to the descriptor instead: QSerialPort's writes need an event dispatcher in the
// calling thread, and its waits cannot give the total time-out of a read that wants `count`
// bytes. A read takes whatever the device has in one system call and keeps what it was not asked
// for (ReadAhead), so that the driver's one-byte reads cost no system call each. Qt's read notifier
// still runs whenever a GUI message loop runs while the port is open and may move bytes into Qt's
// buffer; those are newer than any kept read-ahead and older than the device's. Purge of the
// receive side empties all of them.
#include "platform/serial/serial_port.h"

#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include "platform/clock/clock.h"
#include "platform/serial/descriptor_io.h"
#include "platform/serial/port_setup.h"
#include "platform/serial/read_ahead.h"

namespace {

// No byte taken for this long means the far end stopped taking data: time enough for a full
// kernel transmit queue (4 KiB) to leave at the line speed, plus five seconds.
unsigned WriteStallMs(qint32 baudRate) {
    const int64_t rate = std::max<int64_t>(baudRate, 110);
    return static_cast<unsigned>(5000 + 4096 * 10 * 1000 / rate);
}

} // namespace

std::string SerialErrorText(SerialError error) {
    switch (error) {
    case SerialError::None:
        return "Нет ошибки";
    case SerialError::NotFound:
        return "Порт не найден";
    case SerialError::NotSerial:
        return "Это не последовательный порт";
    case SerialError::PermissionDenied:
        return "Нет доступа к порту";
    case SerialError::Busy:
        return "Порт занят";
    case SerialError::NotOpen:
        return "Порт не открыт";
    case SerialError::Unsupported:
        return "Порт не поддерживает такой режим";
    case SerialError::Io:
        return "Ошибка ввода-вывода порта";
    }
    return "Неизвестная ошибка порта";
}

struct SerialPort::Impl {
    std::unique_ptr<QSerialPort> port;
    ReadAhead ahead; // filled only once Qt's buffer is empty, so it always holds the oldest bytes
    bool pseudoTerminal = false;
    SerialError lastError = SerialError::None;

    SerialError Record(SerialError error) {
        lastError = error;
        return error;
    }
    bool Fail(SerialError error) {
        Record(error);
        return false;
    }
    long FailTransfer() {
        Record(SerialError::Io);
        return -1;
    }
    // False (with the reason recorded) when there is no descriptor to work on. Qt closes the port
    // itself when its notifier met a device that went away.
    bool Usable() {
        if (!port) return Fail(SerialError::NotOpen);
        if (!port->isOpen()) return Fail(SerialError::Io);
        return true;
    }
    bool QtResult(bool done) { return done || Fail(TakeFailure(*port)); }
    int Fd() const { return port->handle(); }

    // Bytes Qt's notifier moved into its buffer; newer than any read-ahead.
    size_t TakeQtBuffered(char* bytes, size_t count) {
        const qint64 buffered = std::min<qint64>(port->bytesAvailable(), static_cast<qint64>(count));
        return buffered > 0 ? static_cast<size_t>(std::max<qint64>(port->read(bytes, buffered), 0)) : 0;
    }

    // Waits for the device and reads what it has until `got` reaches count or the deadline passes.
    long ReadDevice(char* bytes, size_t got, size_t count, int64_t deadline) {
        while (got < count) {
            const WaitResult wait = WaitReadable(Fd(), deadline - MonotonicMs());
            if (wait == WaitResult::TimedOut) break;
            // Readable yet empty is how a hung-up tty answers once its last bytes are gone.
            if (wait == WaitResult::Failed || ahead.Fill(Fd()) <= 0)
                return got > 0 ? static_cast<long>(got) : FailTransfer();
            got += ahead.Take(bytes + got, count - got);
        }
        return static_cast<long>(got);
    }
};

SerialPort::SerialPort() : impl_(std::make_unique<Impl>()) {}

SerialPort::~SerialPort() {
    Close();
}

std::string SerialPort::DevicePath(const std::string& name) {
    return !name.empty() && name.front() == '/' ? name : "/dev/" + name;
}

SerialError SerialPort::Open(const std::string& name) {
    if (impl_->port) return impl_->Record(SerialError::Busy);
    if (name.empty()) return impl_->Record(SerialError::NotFound);
    auto port = std::make_unique<QSerialPort>();
    const SerialError error = OpenExclusive(*port, DevicePath(name));
    if (error != SerialError::None) return impl_->Record(error);
    impl_->pseudoTerminal = IsPseudoTerminal(port->handle());
    impl_->port = std::move(port);
    return SerialError::None;
}

bool SerialPort::IsOpen() const {
    return impl_->port != nullptr;
}

// Qt closes the device before it removes the port's lock file. Until the lock file is gone a second
// descriptor keeps the device, without our lock on it: a pseudo-terminal whose far end has already
// closed hands its number to the next one opened as soon as its last descriptor goes, and a port
// opened there in between would be found busy by the lock file left behind.
void SerialPort::Close() {
    impl_->ahead.Clear();
    if (!impl_->port) return;
    const int held = impl_->port->isOpen() ? ::fcntl(impl_->Fd(), F_DUPFD_CLOEXEC, 0) : -1;
    if (held >= 0) ::flock(held, LOCK_UN); // the lock belongs to the device's opening, shared by both
    impl_->port->close();
    impl_->port.reset();
    if (held >= 0) ::close(held);
}

SerialError SerialPort::Configure(const LineSettings& settings) {
    if (!impl_->Usable()) return impl_->lastError;
    const SerialError error = ApplyLineSettings(*impl_->port, settings);
    return error == SerialError::None ? error : impl_->Record(error);
}

long SerialPort::Read(void* buffer, size_t count, unsigned totalTimeoutMs) {
    char* bytes = static_cast<char*>(buffer);
    // Bytes read ahead come first, even from a device that went away since; the common one-byte
    // read ends here, without asking Qt or the clock.
    size_t got = impl_->ahead.Take(bytes, count);
    if (got == count && count > 0) return static_cast<long>(got);
    if (!impl_->Usable()) return got > 0 ? static_cast<long>(got) : -1;
    got += impl_->TakeQtBuffered(bytes + got, count - got);
    if (got == count) return static_cast<long>(got);
    // Waiting comes first: right after a frame went out its answer is not there yet, and a read
    // that finds nothing would be a system call spent for nothing.
    return impl_->ReadDevice(bytes, got, count, MonotonicMs() + ScaledMs(totalTimeoutMs));
}

long SerialPort::Write(const void* data, size_t count) {
    if (!impl_->Usable()) return -1;
    const char* bytes = static_cast<const char*>(data);
    const unsigned stallMs = ScaledMs(WriteStallMs(impl_->port->baudRate()));
    int64_t lastProgress = MonotonicMs();
    size_t done = 0;
    while (done < count) {
        const long n = WriteNow(impl_->Fd(), bytes + done, count - done);
        if (n < 0) return impl_->FailTransfer();
        if (n > 0) {
            done += static_cast<size_t>(n);
            lastProgress = MonotonicMs();
            continue;
        }
        const int64_t left = lastProgress + stallMs - MonotonicMs();
        if (left <= 0 || WaitWritable(impl_->Fd(), left) == WaitResult::Failed) return impl_->FailTransfer();
    }
    return static_cast<long>(done);
}

bool SerialPort::Drain() {
    if (!impl_->Usable()) return false;
    // A pseudo-terminal hands written bytes to its far end within the write: nothing can be left
    // to wait for, and the call would cost a system call per frame.
    if (impl_->pseudoTerminal) return true;
    int result;
    do {
        result = ::tcdrain(impl_->Fd());
    } while (result != 0 && errno == EINTR);
    return result == 0 || impl_->Fail(SerialError::Io);
}

bool SerialPort::Purge(bool receive, bool transmit) {
    if (!impl_->Usable()) return false;
    QSerialPort::Directions directions;
    if (receive) impl_->ahead.Clear();
    if (receive) directions |= QSerialPort::Input;
    if (transmit) directions |= QSerialPort::Output;
    return !directions || impl_->QtResult(impl_->port->clear(directions));
}

bool SerialPort::SetDtr(bool on) {
    return impl_->Usable() && impl_->QtResult(impl_->port->setDataTerminalReady(on));
}

bool SerialPort::SetRts(bool on) {
    return impl_->Usable() && impl_->QtResult(impl_->port->setRequestToSend(on));
}

bool SerialPort::SetBreak(bool on) {
    return impl_->Usable() && impl_->QtResult(impl_->port->setBreakEnabled(on));
}

SerialError SerialPort::LastError() const {
    return impl_->lastError;
}

void SerialPort::ClearError() {
    impl_->lastError = SerialError::None;
}
