#pragma once
// Opening a QSerialPort exclusively and giving it its line settings, with Qt's errors turned
// into this layer's vocabulary.
#include <QSerialPort>
#include <string>

#include "platform/serial/serial_port.h"

// Opens the device at path for reading and writing; None, or why not.
SerialError OpenExclusive(QSerialPort& port, const std::string& path);

SerialError ApplyLineSettings(QSerialPort& port, const LineSettings& settings);

// The slave end of a pseudo-terminal (a simulated register, a link made by socat).
bool IsPseudoTerminal(int fd);

// Takes the error Qt recorded for the last failed call; never None (a failure without a reason is Io).
SerialError TakeFailure(QSerialPort& port);
