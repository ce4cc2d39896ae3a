#include "platform/serial/port_setup.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <QString>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// QSerialPort registers a read notifier when it opens, and Qt warns when the opening thread has
// no event dispatcher (the plain test programs, worker threads). Nothing here relies on that
// notifier (reads go straight to the descriptor), so that one warning is dropped while a port
// opens; every other message goes on to the handler installed before.
std::mutex quietOpenMutex;
QtMessageHandler handlerBeforeOpen = nullptr;

void DropNotifierWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(
            QLatin1String("QSocketNotifier: Can only be used with threads started with QThread")))
        return;
    handlerBeforeOpen(type, context, message);
}

bool OpenQuietly(QSerialPort& port) {
    if (QAbstractEventDispatcher::instance() != nullptr) return port.open(QIODevice::ReadWrite);
    std::lock_guard lock(quietOpenMutex);
    handlerBeforeOpen = qInstallMessageHandler(DropNotifierWarning);
    const bool opened = port.open(QIODevice::ReadWrite);
    qInstallMessageHandler(handlerBeforeOpen);
    return opened;
}

SerialError FromQt(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return SerialError::None;
    case QSerialPort::DeviceNotFoundError:
        return SerialError::NotFound;
    case QSerialPort::PermissionError:
        return SerialError::PermissionDenied;
    case QSerialPort::NotOpenError:
        return SerialError::NotOpen;
    case QSerialPort::UnsupportedOperationError:
        return SerialError::Unsupported;
    default:
        return SerialError::Io;
    }
}

// Qt takes its lock file before it opens the device and reports a lock held by someone else,
// EBUSY and EACCES all as a permission error; what the path itself says tells them apart (two
// programs probing the same missing name at once must both hear NotFound).
SerialError OpenFailure(QSerialPort& port, const std::string& path) {
    const QSerialPort::SerialPortError error = port.error();
    port.clearError();
    if (error == QSerialPort::PermissionError) {
        if (::access(path.c_str(), F_OK) != 0) return SerialError::NotFound;
        return ::access(path.c_str(), R_OK | W_OK) == 0 ? SerialError::Busy : SerialError::PermissionDenied;
    }
    if (error == QSerialPort::UnsupportedOperationError)
        return SerialError::NotSerial; // a device, but not a terminal
    const SerialError mapped = FromQt(error);
    return mapped == SerialError::None ? SerialError::Io : mapped;
}

// Qt's lock files are named after the path, and root passes TIOCEXCL; a lock on the open device
// itself also keeps out a second open through another name (a link made by socat) or by root.
// The kernel drops it with the descriptor, so a killed process leaves nothing behind.
bool LockDevice(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

std::optional<QSerialPort::DataBits> DataBitsOf(int bits) {
    switch (bits) {
    case 5:
        return QSerialPort::Data5;
    case 6:
        return QSerialPort::Data6;
    case 7:
        return QSerialPort::Data7;
    case 8:
        return QSerialPort::Data8;
    default:
        return std::nullopt;
    }
}

QSerialPort::Parity ParityOf(Parity parity) {
    switch (parity) {
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

// termios knows one or two stop bits; a UART asked for two with 5-bit characters sends one and a
// half, which is the only combination that offers 1.5 stop bits.
std::optional<QSerialPort::StopBits> StopBitsOf(StopBits stop, int dataBits) {
    switch (stop) {
    case StopBits::One:
        return QSerialPort::OneStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    case StopBits::OneAndHalf:
        return dataBits == 5 ? std::optional(QSerialPort::TwoStop) : std::nullopt;
    }
    return std::nullopt;
}

// Qt sets the standard speeds with cfsetspeed and any other (11400, 56000, 128000...) through
// BOTHER; a pseudo-terminal takes both. It carries bytes, not a line, though: the kernel keeps it
// at 8 bits without parity (EINVAL for anything else), so what it refuses there changes nothing
// and must not fail the set-up of a simulated port.
bool AppliedOrNotApplicable(QSerialPort& port, bool applied) {
    if (applied || !IsPseudoTerminal(port.handle())) return applied;
    port.clearError();
    return true;
}

// A device that hung up stays readable with nothing to read, and Qt's read notifier, after it
// recorded its read error, keeps firing: the message loop would spin at full load for as long as
// the port stays open. Reads do not need the notifier, so it is switched off at its first failure;
// Read then meets the hang-up on the descriptor and reports it.
void StopNotifierOnReadFailure(QSerialPort& port) {
    QObject::connect(&port, &QSerialPort::errorOccurred, &port, [&port](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
        for (QSocketNotifier* notifier : port.findChildren<QSocketNotifier*>())
            if (notifier->type() == QSocketNotifier::Read) notifier->setEnabled(false);
    });
}

} // namespace

bool IsPseudoTerminal(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= 136 && deviceMajor <= 143; // the kernel's pseudo-terminal slave majors
}

SerialError OpenExclusive(QSerialPort& port, const std::string& path) {
    // Only a character device can be a port; anything else is not opened at all (a fifo would be).
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISCHR(info.st_mode)) return SerialError::NotSerial;
    port.setPortName(QString::fromStdString(path));
    if (!OpenQuietly(port)) return OpenFailure(port, path);
    if (!LockDevice(port.handle())) {
        port.close();
        return SerialError::Busy;
    }
    StopNotifierOnReadFailure(port);
    return SerialError::None;
}

SerialError ApplyLineSettings(QSerialPort& port, const LineSettings& settings) {
    const auto dataBits = DataBitsOf(settings.DataBits);
    const auto stopBits = StopBitsOf(settings.Stop, settings.DataBits);
    if (!dataBits || !stopBits || settings.BaudRate == 0 || settings.BaudRate > INT32_MAX)
        return SerialError::Unsupported;
    const bool applied =
        AppliedOrNotApplicable(port, port.setDataBits(*dataBits)) &&
        AppliedOrNotApplicable(port, port.setParity(ParityOf(settings.ParityMode))) &&
        AppliedOrNotApplicable(port, port.setStopBits(*stopBits)) &&
        AppliedOrNotApplicable(port, port.setBaudRate(static_cast<qint32>(settings.BaudRate)));
    return applied ? SerialError::None : TakeFailure(port);
}

SerialError TakeFailure(QSerialPort& port) {
    const SerialError error = FromQt(port.error());
    port.clearError();
    return error == SerialError::None ? SerialError::Io : error;
}
