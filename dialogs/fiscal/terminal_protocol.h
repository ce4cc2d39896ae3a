#pragma once
// The bank terminal's frames: two length bytes (high first) and a body. Control bodies are one byte
// (enquiry 12h, acknowledgement 06h); data bodies are fields "NN=value" separated by 1Ch, and a
// request body starts with STX.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

constexpr char TerminalEnquiry = 0x12;
constexpr char TerminalAcknowledge = 0x06;
constexpr char TerminalStx = 0x02;
constexpr char TerminalFieldSeparator = 0x1C;
constexpr size_t TerminalAnswerLimit = 1000; // the longest answer body taken
constexpr size_t TerminalRequestLimit = 255; // a request's length field is one byte

// The three bytes of a control frame.
std::string TerminalControlFrame(char code);

// An answer body's fields by tag; the first field of a tag counts. The body is taken up to its first
// NUL byte; a leading STX is not part of the first field. A field without "=" after two characters is
// no field. The values are the bytes as sent (the session value goes back unchanged).
using TerminalFields = std::map<std::string, std::string>;
TerminalFields ParseTerminalBody(std::string_view body);
// The same fields as text: the body is read as UTF-8 when it is valid UTF-8, else as CP1251.
TerminalFields ParseTerminalText(std::string_view body);
// The value of a tag; empty when the answer has no such field.
std::string TerminalValue(const TerminalFields& fields, const std::string& tag);

// The sale request frame for the session value of the terminal's first answer and an amount in
// kopecks; nullopt when the body would not fit its length byte or the session value would cut or
// add fields.
std::optional<std::string> SaleRequestFrame(const std::string& session, int64_t kopecks);
