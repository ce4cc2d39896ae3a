#pragma once
// The serial link to the register and the frame exchange. Plain functions over the driver's
// own state, as the register is one per program; not re-entrant, used from the UI thread.
#include <cstdint>
#include <string>

#include "driver/answer_record.h"

// Opens the port ("ttyACM0" or a path) at the baud rate; false when it cannot be opened.
bool OpenLink(const std::string& portName, uint32_t baudRate);
// Closes the link; false when it was not open.
bool CloseLink();
bool LinkIsOpen();

// One command with the validation attempts; never null.
AnswerRecord* SendCommand(unsigned code, const std::string& data);
void SendCommandOnce(unsigned code, const std::string& data);
int SendFrame(unsigned code, const std::string& data);  // 0, or -1 when not ready or the data is too long
int ResendLast(int newSequence);
AnswerRecord* RepeatCommand(int newSequence);         // null when not ready
void SendNoReply();                                    // 88h "736204;20;0;" without reading an answer
void SetRetryCount(int count);
uint32_t GetErrorCount();

// Set by the main window while the link runs over the register's USB virtual port (longer resend wait).
void SetUsbLink(bool usb);

// The single answer record.
AnswerRecord& TheAnswer();

// Session log.
void SetLogFileName(const std::string& name);
void WriteSessionLog(const std::string& text, const std::string& secondText);
