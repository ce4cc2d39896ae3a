#include "driver/receiver.h"

void Receiver::BeginExchange() {
    Status.fill(0);
    SynCount = 0;
    ErrorFlags = 0;
    DataCount = 0;
    Complete = false;
    FrameEnded = false;
}

void Receiver::EndExchange() {
    FrameEnded = false;
    rawPos_ = 0;
}

void Receiver::Feed(uint8_t byte) {
    // SYN only says that the register is busy: it is counted and is no part of any frame.
    if (byte == SYN) {
        ++SynCount;
        return;
    }
    KeepRaw(byte);
    switch (byte) {
    case SOH:
        ReceiveState = RxStart;
        break;
    case ETX:
        if (ReceiveState != RxEnd) ErrorFlags = RxEtxBeforeChecksum;
        ReceiveState = RxEnd;
        break;
    case NAK:
        ReceiveState = RxStart;
        ErrorFlags = RxNakReceived;
        Complete = true;
        return;
    default:
        break;
    }
    Dispatch(byte);
}

void Receiver::KeepRaw(uint8_t byte) {
    if (rawPos_ + 1 >= raw_.size()) return; // the rest of an overlong answer is not kept
    raw_[rawPos_++] = static_cast<char>(byte);
    raw_[rawPos_] = '\0';
}

void Receiver::Dispatch(uint8_t byte) {
    switch (ReceiveState) {
    case RxStart:
        return OnStart(byte);
    case RxLength:
        return OnLength(byte);
    case RxSequence:
        return OnSequence(byte);
    case RxCommand:
        return OnCommand(byte);
    case RxErrorField:
        return OnErrorField(byte);
    case RxData:
        return OnData(byte);
    case RxStatusStart:
        return OnStatusStart(byte);
    case RxStatus:
        return OnStatus(byte);
    case RxChecksumStart:
        return OnChecksumStart(byte);
    case RxChecksum:
        return OnChecksum(byte);
    case RxEnd:
        return OnEnd(byte);
    default:
        ReceiveState = RxStart;
    }
}

void Receiver::OnStart(uint8_t byte) {
    if (byte == SOH) ReceiveState = RxLength;
    Sum = 0;
}

void Receiver::OnLength(uint8_t byte) {
    if (byte < 0x30) {
        ReceiveState = RxStart;
        return;
    }
    DataLength = byte - 0x30;
    Sum += byte;
    ReceiveState = RxSequence;
}

void Receiver::OnSequence(uint8_t byte) {
    if (byte < 0x20) {
        ReceiveState = RxStart;
        return;
    }
    Sequence = byte - 0x20;
    Sum += byte;
    ReceiveState = RxCommand;
}

void Receiver::OnCommand(uint8_t byte) {
    Command = byte;
    Sum += byte;
    DataCount = 0;
    errorPos_ = 0;
    ErrorText[0] = '\0';
    ReceiveState = RxErrorField;
}

void Receiver::OnErrorField(uint8_t byte) {
    Sum += byte;
    if (byte != ';') {
        // Characters past the text's room still count in the checksum but are not kept.
        if (errorPos_ + 1 < ErrorText.size()) {
            ErrorText[errorPos_++] = static_cast<char>(byte);
            ErrorText[errorPos_] = '\0';
        }
        return;
    }
    ErrorText[errorPos_] = '\0';
    errorPos_ = 0;
    ReceiveState = DataLength > 0 ? RxData : RxStatusStart;
}

void Receiver::OnData(uint8_t byte) {
    if (DataCount < DataLength) {
        Data[DataCount++] = byte;
        Sum += byte;
    }
    if (DataCount >= DataLength) ReceiveState = RxStatusStart;
}

void Receiver::OnStatusStart(uint8_t byte) {
    if (byte != EOT) {
        ReceiveState = RxStart;
        return;
    }
    statusPos_ = 0;
    Sum += byte;
    ReceiveState = RxStatus;
}

void Receiver::OnStatus(uint8_t byte) {
    if (statusPos_ < Status.size()) {
        Status[statusPos_++] = byte;
        Sum += byte;
    }
    if (statusPos_ >= Status.size()) ReceiveState = RxChecksumStart;
}

void Receiver::OnChecksumStart(uint8_t byte) {
    if (byte != ENQ) {
        ReceiveState = RxStart;
        return;
    }
    checksumPos_ = 0;
    ReceivedSum = 0;
    Sum += byte;
    ReceiveState = RxChecksum;
}

void Receiver::OnChecksum(uint8_t byte) {
    if (checksumPos_ < ChecksumDigits) {
        // Unsigned on purpose: a character below "0" must wrap, not overflow.
        ReceivedSum = ReceivedSum * 16 + (static_cast<uint32_t>(byte) - 0x30u);
        ++checksumPos_;
    }
    if (checksumPos_ >= ChecksumDigits) ReceiveState = RxEnd;
}

void Receiver::OnEnd(uint8_t byte) {
    ReceiveState = RxStart;
    FrameEnded = true;
    if (byte == ETX) Complete = true;
}
