#pragma once
// The serial link to the register and the frame exchange. Plain functions over the driver's
// own state, as the register is one per program; not re-entrant, used from the UI thread.
#include <cstdint>
#include <string>

#include "driver/answer_record.h"
#include "platform/serial/serial_port.h"

// Opens the port ("ttyACM0" under /dev, or a path) at the baud rate, 8 data bits, no parity, one stop
// bit, and starts a session in the log. False when the port cannot be opened or refuses the line
// settings (LinkOpenError says why): the link is then not ready, so every command on it is refused as
// not sent, and the log gets no session. A link still open from before is closed first.
bool OpenLink(const std::string& portName, uint32_t baudRate);
// Why the last OpenLink failed; None after one that succeeded.
SerialError LinkOpenError();
// Closes the link, which is not ready from then on; false (and nothing done) when it was not open.
bool CloseLink();
bool LinkIsOpen();

// One command with the validation attempts; never null. Data texts are UTF-8; the frame carries CP1251.
AnswerRecord* SendCommand(unsigned code, const std::string& data);
void SendCommandOnce(unsigned code, const std::string& data);
// 0, or -1 with nothing sent: not ready, or the data is longer than a frame carries (219 CP1251 bytes).
// The record then says not sent (AnswerRecord::NotSent), and nothing is logged.
int SendFrame(unsigned code, const std::string& data);
int ResendLast(int newSequence);              // newSequence 0: the same SEQ as the last frame
AnswerRecord* RepeatCommand(int newSequence); // null when not ready; sets LastAnswer
// 88h "736204;20;0;" without reading an answer; nothing goes out when the link is not ready.
void SendNoReply();
void SetRetryCount(int count);
uint32_t GetErrorCount();

// Set by the main window while the link runs over the register's USB virtual port (longer resend wait).
void SetUsbLink(bool usb);

// The single answer record.
AnswerRecord& TheAnswer();

// The record returned by the last command formatter or RepeatCommand; null until the first.
extern AnswerRecord* LastAnswer;

// Session log. An empty name logs nothing; the file lies in the folder that is current at the first line.
void SetLogFileName(const std::string& name);
// True when the last line could not be written to the log file (it cannot be opened, or the disk is full).
bool SessionLogFailed();
void WriteSessionLog(const std::string& text, const std::string& secondText);
