#pragma once
// A card sale on the bank terminal, on its own serial port: enquiry, the card's answer, the sale
// request, the terminal's decision. The port is opened for the sale and closed before it returns.
#include <cstdint>
#include <optional>
#include <string>

#include "shell/window_links.h"

// The session value is kept as the terminal's bytes; the other values are text (UTF-8).
struct TerminalSale {
    std::string Session;       // 00: echoed in the request
    std::string CardTail;      // 01
    std::string CardLine;      // 02
    std::string CardType;      // 04
    std::string TransactionId; // 58: only in an approved sale's answer
};

// Each terminal read waits this long; a read that brings nothing is repeated this many times in all
// while the terminal works (the customer at the card reader), so the wait stays bounded.
constexpr unsigned TerminalReadMs = 20000;
constexpr int TerminalReadAttempts = 6;

// Runs the sale of an amount in kopecks on the port named in the terminal fields, and records the
// port's set-up there. nullopt when the terminal failed to answer as its frames say (no
// acknowledgement, no answer, an answer too long, a request that cannot be framed).
std::optional<TerminalSale> TerminalExchange(TTerminalForm& terminal, int64_t kopecks);
