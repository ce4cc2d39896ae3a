#pragma once
// What every command formatter shares: building a data text field by field, refusing, sending.
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/answer_record.h"

// A data text: each field is followed by ";". Numbers are printed without the process locale.
class DataText {
public:
    explicit DataText(std::string_view first) { Text(first); }

    DataText& Text(std::string_view text);
    DataText& Int(int64_t value);     // "%i"
    DataText& Int2(int value);        // "%02i"
    DataText& Hex2(int value);        // "%02X"
    DataText& Hex4(int value);        // "%04X"
    DataText& Money(double value);    // "%-#.2f"
    DataText& Quantity(double value); // "%-#.3lf"
    DataText& Empty() { return Text(""); }

    const std::string& Str() const { return text_; }

private:
    std::string text_;
};

// Fixed-point text with "." as the separator, as printf's "%.Nf" gives in the C locale.
std::string FixedText(double value, int decimals);

// Sets *error (when given), turns the answer record into a not-sent answer (so that no earlier answer
// passes for this command's) and returns it as LastAnswer; nothing is sent. Under a FormingCheck the
// refusal of the command is noted there and nothing of the driver's state changes.
AnswerRecord* Refuse(unsigned command, int code, int* error);

// Refuses a data text longer than a frame carries; otherwise keeps it in DataBuffer, sets *error
// to 0, sends it and keeps the answer as LastAnswer. Under a FormingCheck it is only noted there.
AnswerRecord* SendData(unsigned code, const DataText& data, int* error);
