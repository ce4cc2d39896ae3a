#pragma once
// The session log: every frame sent and every answer received, appended to a text file (UTF-8).
// The public operations are declared in link.h; this header adds what the driver and tests need.
#include <string>

#include "platform/clock/clock.h"

// " 7-03-2026  9:05:03": day and hour padded with a blank, month, minute and second with a zero.
std::string FormatLogTimeStamp(const LocalDateTime& time);

// The file the log goes to; empty until the first line is written.
const std::string& SessionLogPath();

// True while a log file name is set; the link builds its entries only then.
bool SessionLogOn();

// Lets a test start over as at program start (no name, no path).
void ResetSessionLog();

// The session lines the link writes at open and close (WriteSessionLog writes the entries).
void LogSessionStart();
void LogSessionEnd();
