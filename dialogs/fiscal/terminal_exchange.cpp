#include "dialogs/fiscal/terminal_exchange.h"

#include "dialogs/fiscal/terminal_protocol.h"
#include "platform/serial/serial_port.h"

namespace {

class TerminalLink {
public:
    explicit TerminalLink(TTerminalForm& terminal) : terminal_(terminal) {}

    // The port is opened whatever comes of it: a port that failed to open fails the first read.
    void Open() {
        terminal_.TerminalTimeouts.ReadIntervalTimeout = 0;
        terminal_.TerminalTimeouts.ReadTotalTimeoutMultiplier = 0;
        terminal_.TerminalTimeouts.ReadTotalTimeoutConstant = TerminalReadMs;
        terminal_.TerminalTimeouts.WriteTotalTimeoutMultiplier = 0;
        terminal_.TerminalError = static_cast<uint32_t>(port_.Open(terminal_.TerminalPortName));
        terminal_.TerminalDcb = LineSettings{115200, 8, Parity::None, StopBits::One};
        terminal_.TerminalResult =
            port_.IsOpen() && port_.Configure(terminal_.TerminalDcb) == SerialError::None;
    }

    void Send(const std::string& bytes) { port_.Write(bytes.data(), bytes.size()); }

    // One read of a control frame; true when it is the acknowledgement.
    bool ReadAcknowledge() {
        char frame[3] = {};
        return port_.Read(frame, 3, TerminalReadMs) == 3 && frame[2] == TerminalAcknowledge;
    }

    // A data frame's body, acknowledged; nullopt when it does not come whole or is too long to take.
    std::optional<std::string> ReadAnswer() {
        std::string length;
        if (!ReadExactly(length, 2)) return std::nullopt;
        const size_t size = static_cast<uint8_t>(length[0]) * 256u + static_cast<uint8_t>(length[1]);
        if (size > TerminalAnswerLimit) return std::nullopt;
        std::string body;
        if (!ReadExactly(body, size)) return std::nullopt;
        Send(TerminalControlFrame(TerminalAcknowledge));
        return body;
    }

private:
    // Reads until count bytes came; gives up after TerminalReadAttempts reads that brought nothing.
    bool ReadExactly(std::string& bytes, size_t count) {
        bytes.assign(count, '\0');
        size_t got = 0;
        for (int empty = 0; got < count && empty < TerminalReadAttempts;) {
            const long read = port_.Read(bytes.data() + got, count - got, TerminalReadMs);
            if (read < 0) return false;
            if (read == 0) ++empty;
            got += static_cast<size_t>(read);
        }
        return got == count;
    }

    TTerminalForm& terminal_;
    SerialPort port_;
};

} // namespace

std::optional<TerminalSale> TerminalExchange(TTerminalForm& terminal, int64_t kopecks) {
    TerminalLink link(terminal);
    link.Open();
    link.Send(TerminalControlFrame(TerminalEnquiry));
    if (!link.ReadAcknowledge()) return std::nullopt;
    const auto card = link.ReadAnswer();
    if (!card) return std::nullopt;
    const TerminalFields cardText = ParseTerminalText(*card);
    TerminalSale sale{TerminalValue(ParseTerminalBody(*card), "00"), TerminalValue(cardText, "01"),
                      TerminalValue(cardText, "02"), TerminalValue(cardText, "04"), ""};
    const auto request = SaleRequestFrame(sale.Session, kopecks);
    if (!request) return std::nullopt;
    link.Send(*request);
    if (!link.ReadAcknowledge()) return std::nullopt;
    const auto decision = link.ReadAnswer();
    if (!decision) return std::nullopt;
    sale.TransactionId = TerminalValue(ParseTerminalText(*decision), "58");
    return sale;
}
