#include "driver/formatters_common.h"

#include <cstdio>

#include "driver/formatters.h"
#include "driver/frame.h"
#include "driver/link.h"
#include "platform/text/text.h"

std::string DataBuffer;

namespace {

// Integers print the same in every locale; only floating point needs care.
std::string Printed(const char* format, int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string PrintedHex(const char* format, int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
    return buffer;
}

} // namespace

bool FitsInFrame(const std::string& data) {
    return Utf8ToCp1251(data).size() <= MaxCommandDataLength;
}

DataText& DataText::Text(std::string_view text) {
    text_.append(text);
    text_.push_back(';');
    return *this;
}

DataText& DataText::Int(int64_t value) {
    return Text(std::to_string(value));
}
DataText& DataText::Int2(int value) {
    return Text(Printed("%02i", value));
}
DataText& DataText::Hex2(int value) {
    return Text(PrintedHex("%02X", value));
}
DataText& DataText::Hex4(int value) {
    return Text(PrintedHex("%04X", value));
}
DataText& DataText::Money(double value) {
    return Text(FixedText(value, 2));
}
DataText& DataText::Quantity(double value) {
    return Text(FixedText(value, 3));
}

std::string FixedText(double value, int decimals) {
    return FixedToStr(value, decimals, '.');
}

namespace {
FormingCheck* ActiveCheck = nullptr;
} // namespace

FormingCheck::FormingCheck() {
    record_.MarkNotSent();
    ActiveCheck = this;
}

FormingCheck::~FormingCheck() {
    ActiveCheck = nullptr;
}

AnswerRecord* FormingCheck::Note(unsigned command, int refusal) {
    ++formed_;
    if (refusal != 0 && firstRefusal_ == 0) {
        firstRefusal_ = refusal;
        firstRefusedCommand_ = command;
    }
    return &record_;
}

AnswerRecord* Refuse(unsigned command, int code, int* error) {
    if (error) *error = code;
    if (ActiveCheck) return ActiveCheck->Note(command, code);
    TheAnswer().MarkNotSent();
    LastAnswer = &TheAnswer();
    return LastAnswer;
}

AnswerRecord* SendData(unsigned code, const DataText& data, int* error) {
    return SendPrepared(code, data.Str(), error);
}

AnswerRecord* SendPrepared(unsigned code, const std::string& data, int* error) {
    if (!FitsInFrame(data)) return Refuse(code, RefusalDataTooLong, error);
    if (error) *error = 0;
    if (ActiveCheck) return ActiveCheck->Note(code, 0);
    DataBuffer = data;
    LastAnswer = SendCommand(code, DataBuffer);
    return LastAnswer;
}
