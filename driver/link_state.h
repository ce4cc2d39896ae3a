#pragma once
// The link's module state. Internal to the driver; tests reach in to set up a case
// (such as the sequence counter as at program start).
#include <cstdint>
#include <memory>
#include <string>

#include "driver/answer_record.h"
#include "driver/receiver.h"
#include "platform/serial/serial_port.h"

struct LinkState {
    std::unique_ptr<SerialPort> Port;
    uint8_t SeqCounter = 0;      // +1 before each new frame; runs on across links
    uint8_t PreviousCounter = 0; // restored for a resend with the same SEQ
    unsigned LastCode = 0;
    std::string LastData; // UTF-8, as the caller gave it
    bool Ready = false;   // the link may send: set by an OpenLink that opened the port, cleared
                          // while an exchange runs and by CloseLink
    SerialError OpenError = SerialError::None; // why the last OpenLink failed
    int RetryCount = 4;
    uint32_t ErrorCount = 0;
    bool UsbLink = false;
    int EmptyReads = 0;
    AnswerRecord Answer;
    Receiver Rx{Answer.RawAnswer};
};

extern LinkState TheLink;

// Waits of the exchange, in milliseconds at full length (the clock scales them in tests).
constexpr unsigned ReadTimeoutMs = 100;
constexpr int MaxEmptyReads = 50;
constexpr unsigned ResendWaitMs = 2000;
constexpr unsigned UsbResendWaitMs = 3000;
constexpr unsigned NoReplySettleMs = 200;
