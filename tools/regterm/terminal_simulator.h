#pragma once
// A simulated bank card terminal on a pseudo-terminal. Frames in both directions are two length
// bytes (high first) and a body; enquiry and acknowledgement are the one-byte bodies 12h and 06h;
// data bodies are fields "NN=value" separated by 1Ch, a request starting with STX.
//
// A sale: the program sends the enquiry; the terminal acknowledges and sends the card's answer
// (00 session, 01 card number tail, 02 a line for the receipt, 04 card type); the program
// acknowledges and sends the request (00 echoed, 03 "S", 05 amount in kopecks, 52, 53, 61); the
// terminal acknowledges and sends its decision (00, and 58 the transaction identifier when
// approved); the program acknowledges.
//
//     regterm::TerminalSimulator terminal;
//     terminal.SetBehaviour(regterm::Behaviour::Decline);
//     ASSERT_TRUE(terminal.Start());
//     ... open terminal.PortPath() ...
//
// Every method may be called from any thread.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "tools/ptyserve/pty_server.h"

namespace regterm {

enum class Behaviour {
    Approve,    // the sale is approved: the decision carries 58
    Decline,    // the decision carries no 58
    Silent,     // the enquiry is never answered
    Oversized,  // the card's answer announces and sends a body of more than 1000 bytes
    OutOfOrder, // the decision comes before the acknowledgement of the request
};

using Fields = std::vector<std::pair<std::string, std::string>>; // tag, value; in order

// Start, StartError, PortPath and Stop come from the pseudo-terminal server.
class TerminalSimulator : public ptyserve::PtyServer {
public:
    TerminalSimulator();
    ~TerminalSimulator() override;

    // Set before Start.
    void SetBehaviour(Behaviour behaviour) { behaviour_ = behaviour; }
    // Replaces or adds a field of the card's answer (card) or of the decision (!card).
    void SetField(bool card, const std::string& tag, const std::string& value);

    // The request bodies received, as sent (STX and separators included).
    std::vector<std::string> Requests() const;
    bool WaitForRequests(size_t count, unsigned timeoutMs) const;
    // Called on the serving thread with each request body. Set before Start.
    void SetRequestLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

    // A data body of these fields, separated by 1Ch.
    static std::string Body(const Fields& fields);

private:
    void OnBytes(const char* bytes, size_t count) override;
    void HandleBody(const std::string& body);
    void SendFrame(const std::string& body);

    enum class Step { Enquiry, CardAcknowledge, Request, DecisionAcknowledge };
    Behaviour behaviour_ = Behaviour::Approve;
    Fields card_;
    Fields decision_;
    Step step_ = Step::Enquiry;

    std::string pending_; // bytes of a frame not yet whole
    std::function<void(const std::string&)> log_;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<std::string> requests_;
};

} // namespace regterm
