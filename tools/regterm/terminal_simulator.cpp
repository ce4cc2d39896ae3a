#include "tools/regterm/terminal_simulator.h"

#include <chrono>
#include <cstdint>

namespace regterm {

namespace {

constexpr char kEnquiry = 0x12;
constexpr char kAcknowledge = 0x06;
constexpr char kStx = 0x02;
constexpr char kSeparator = 0x1C;
constexpr size_t kOversizedBody = 1200;

void SetField(Fields& fields, const std::string& tag, const std::string& value) {
    for (auto& field : fields)
        if (field.first == tag) {
            field.second = value;
            return;
        }
    fields.emplace_back(tag, value);
}

std::string Frame(const std::string& body) {
    return std::string{static_cast<char>(body.size() >> 8 & 0xFF), static_cast<char>(body.size() & 0xFF)} +
           body;
}

} // namespace

TerminalSimulator::TerminalSimulator()
    : card_{{"00", "0417"}, {"01", "12345678"}, {"02", "AUTH 123456"}, {"04", "VISA"}},
      decision_{{"00", "0417"}, {"58", "TXN00000000000000001"}} {}

TerminalSimulator::~TerminalSimulator() {
    Stop();
}

void TerminalSimulator::SetField(bool card, const std::string& tag, const std::string& value) {
    regterm::SetField(card ? card_ : decision_, tag, value);
}

std::string TerminalSimulator::Body(const Fields& fields) {
    std::string body;
    for (const auto& [tag, value] : fields) {
        if (!body.empty()) body += kSeparator;
        body += tag + "=" + value;
    }
    return body;
}

std::vector<std::string> TerminalSimulator::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool TerminalSimulator::WaitForRequests(size_t count, unsigned timeoutMs) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return requests_.size() >= count; });
}

// Bytes are gathered until a whole frame is there; each frame's body is handled in turn.
void TerminalSimulator::OnBytes(const char* bytes, size_t count) {
    pending_.append(bytes, count);
    while (pending_.size() >= 2) {
        const size_t size = static_cast<uint8_t>(pending_[0]) * 256u + static_cast<uint8_t>(pending_[1]);
        if (pending_.size() < 2 + size) break;
        const std::string body = pending_.substr(2, size);
        pending_.erase(0, 2 + size);
        HandleBody(body);
    }
}

void TerminalSimulator::HandleBody(const std::string& body) {
    const std::string acknowledge(1, kAcknowledge);
    if (body == std::string(1, kEnquiry)) {
        // An enquiry starts a sale afresh, whatever came before.
        step_ = Step::Enquiry;
        if (behaviour_ == Behaviour::Silent) return;
        SendFrame(acknowledge);
        std::string answer = Body(card_);
        if (behaviour_ == Behaviour::Oversized) answer.resize(kOversizedBody, 'X');
        SendFrame(answer);
        step_ = Step::CardAcknowledge;
    } else if (body == acknowledge && step_ == Step::CardAcknowledge) {
        step_ = Step::Request;
    } else if (!body.empty() && body[0] == kStx && step_ == Step::Request) {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(body);
        }
        arrived_.notify_all();
        if (log_) log_(body);
        Fields decision = decision_;
        if (behaviour_ == Behaviour::Decline)
            std::erase_if(decision, [](const auto& f) { return f.first == "58"; });
        if (behaviour_ == Behaviour::OutOfOrder) {
            SendFrame(Body(decision));
            SendFrame(acknowledge);
        } else {
            SendFrame(acknowledge);
            SendFrame(Body(decision));
        }
        step_ = Step::DecisionAcknowledge;
    } else if (body == acknowledge && step_ == Step::DecisionAcknowledge) {
        step_ = Step::Enquiry;
    }
}

void TerminalSimulator::SendFrame(const std::string& body) {
    const std::string bytes = Frame(body);
    WriteAll(bytes.data(), bytes.size());
}

} // namespace regterm
