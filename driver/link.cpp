#include "driver/link.h"

#include <cstdio>

#include "driver/answer_parse.h"
#include "driver/frame.h"
#include "driver/link_state.h"
#include "driver/session_log.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"

LinkState TheLink;
AnswerRecord* LastAnswer = nullptr;

namespace {

enum class ByteRead { Byte, Nothing, Failed };

const char* const NoReplyData = "736204;20;0;";
constexpr unsigned NoReplyCode = 0x88;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

// A data text ends at its first NUL, as the register reads it.
std::string DataText(const std::string& data) {
    return data.c_str();
}

void RememberCommand(unsigned code, const std::string& data) {
    TheLink.LastData = data;
    TheLink.LastCode = code;
    TheLink.PreviousCounter = TheLink.SeqCounter;
    TheLink.Answer.SentCode = code;
    ++TheLink.SeqCounter;
}

void WriteFrame(const std::string& frame) {
    SerialPort* port = TheLink.Port.get();
    if (!port) return;
    port->Drain();
    port->Purge(true, true);
    port->Write(frame.data(), frame.size());
}

// Everything up to and including the write; the answer, if any, is read by the caller.
void StartExchange(unsigned code, const std::string& data, const std::string& wireData) {
    RememberCommand(code, data);
    const uint8_t sequence = SequenceByte(TheLink.SeqCounter);
    if (SessionLogOn()) WriteSessionLog(Hex(sequence), Hex(code) + data);
    TheLink.Rx.BeginExchange();
    TheLink.Ready = false;
    TheLink.Answer.SentFrame = BuildCommandFrame(sequence, static_cast<uint8_t>(code), wireData);
    WriteFrame(TheLink.Answer.SentFrame);
}

ByteRead ReadAnswerByte() {
    SerialPort* port = TheLink.Port.get();
    uint8_t byte = 0;
    const long count = port ? port->Read(&byte, 1, ReadTimeoutMs) : -1;
    if (count == 1) {
        TheLink.EmptyReads = 0;
        TheLink.Rx.Feed(byte);
        return ByteRead::Byte;
    }
    if (count == 0) return ByteRead::Nothing;
    if (port) port->ClearError();
    TheLink.Rx.ReceiveState = RxStart;
    return ByteRead::Failed;
}

// Reads until the answer is complete, 50 reads in a row bring nothing, or the port fails.
void ReadAnswer() {
    TheLink.EmptyReads = 0;
    while (TheLink.EmptyReads < MaxEmptyReads) {
        ByteRead read;
        do {
            read = ReadAnswerByte();
        } while (read == ByteRead::Byte && !TheLink.Rx.FrameEnded);
        if (read == ByteRead::Failed || TheLink.Rx.Complete) return;
        ++TheLink.EmptyReads;
    }
}

void FinishExchange() {
    TheLink.Rx.FrameEnded = false;
    ParseAnswer(TheLink.Rx, TheLink.LastData, TheLink.Answer);
    TheLink.Ready = true;
    TheLink.Rx.EndExchange();
    if (!SessionLogOn()) return; // the entry costs conversions that nobody would read
    const uint8_t answerSequence = static_cast<uint8_t>(TheLink.Rx.Sequence + 0x20);
    WriteSessionLog(Hex(answerSequence) + " SYN=" + std::to_string(TheLink.Rx.SynCount),
                    ";" + Cp1251ToUtf8(TheLink.Answer.RawAnswer.data()));
}

// A port at a speed it refuses would only time out every command: it counts as not opened.
SerialError OpenPort(SerialPort& port, const std::string& name, uint32_t baudRate) {
    SerialError error = port.Open(name);
    if (error == SerialError::None)
        error = port.Configure(LineSettings{baudRate, 8, Parity::None, StopBits::One});
    if (error != SerialError::None) port.Close();
    return error;
}

} // namespace

bool OpenLink(const std::string& portName, uint32_t baudRate) {
    CloseLink(); // its session ends in the log before another one starts
    TheLink.Port = std::make_unique<SerialPort>();
    TheLink.OpenError = OpenPort(*TheLink.Port, portName, baudRate);
    TheLink.ErrorCount = 0;
    TheLink.Ready = TheLink.OpenError == SerialError::None;
    if (TheLink.Ready) LogSessionStart();
    return TheLink.Ready;
}

SerialError LinkOpenError() {
    return TheLink.OpenError;
}

bool CloseLink() {
    if (!LinkIsOpen()) return false;
    TheLink.Port->Purge(true, true);
    LogSessionEnd();
    TheLink.ErrorCount = 0;
    TheLink.Ready = false;
    TheLink.Port->Close();
    return true;
}

bool LinkIsOpen() {
    return TheLink.Port && TheLink.Port->IsOpen();
}

// A frame that cannot be sent must not leave an older answer looking like its own.
int SendFrame(unsigned code, const std::string& data) {
    const std::string text = DataText(data);
    const std::string wireData = Utf8ToCp1251(text);
    if (!TheLink.Ready || wireData.size() > MaxCommandDataLength) {
        TheLink.Answer.MarkNotSent();
        return -1;
    }
    StartExchange(code, text, wireData);
    ReadAnswer();
    FinishExchange();
    return 0;
}

void SendCommandOnce(unsigned code, const std::string& data) {
    SendFrame(code, data);
}

int ResendLast(int newSequence) {
    if (!TheLink.Ready) return -1;
    if (newSequence == 0) TheLink.SeqCounter = TheLink.PreviousCounter;
    const std::string data = TheLink.LastData;
    return SendFrame(TheLink.LastCode, data);
}

AnswerRecord* SendCommand(unsigned code, const std::string& data) {
    AnswerRecord& answer = TheLink.Answer;
    // A frame that was refused has nothing to resend (a resend would repeat an older command).
    if (SendFrame(code, data) != 0) return &answer;
    for (int attempt = 1; attempt <= TheLink.RetryCount; ++attempt) {
        if (!RawAnswerIsValid(answer.RawAnswer)) {
            Sleep(ResendWaitMs);
            ++TheLink.ErrorCount;
            ResendLast(0);
        } else if (answer.NoAnswer() && TheLink.UsbLink) {
            Sleep(UsbResendWaitMs);
            ResendLast(0);
        } else {
            break; // a valid answer stays valid: the attempts left would do nothing
        }
    }
    return &answer;
}

AnswerRecord* RepeatCommand(int newSequence) {
    if (!TheLink.Ready) return nullptr;
    if (newSequence == 0) TheLink.SeqCounter = TheLink.PreviousCounter;
    const std::string data = TheLink.LastData;
    LastAnswer = SendCommand(TheLink.LastCode, data);
    return LastAnswer;
}

void SendNoReply() {
    if (!TheLink.Ready) return; // nothing goes out, and the link stays not ready
    StartExchange(NoReplyCode, NoReplyData, Utf8ToCp1251(NoReplyData));
    Sleep(NoReplySettleMs);
    if (SerialPort* port = TheLink.Port.get()) {
        port->Drain();
        port->Purge(true, true); // whatever came back is of no interest
    }
    TheLink.Ready = true;
}

void SetRetryCount(int count) {
    TheLink.RetryCount = count;
}
uint32_t GetErrorCount() {
    return TheLink.ErrorCount;
}
void SetUsbLink(bool usb) {
    TheLink.UsbLink = usb;
}
AnswerRecord& TheAnswer() {
    return TheLink.Answer;
}
