#include "tools/regterm/terminal_simulator.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace regterm {

namespace {

constexpr char kEnquiry = 0x12;
constexpr char kAcknowledge = 0x06;
constexpr char kStx = 0x02;
constexpr char kSeparator = 0x1C;
constexpr size_t kOversizedBody = 1200;

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

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

// The master end we serve, a slave end held open so that the master never sees a hang-up while the
// program has the port closed, and an event that wakes the serving thread to stop.
struct TerminalSimulator::Io {
    int master = -1;
    int slave = -1;
    int wake = -1;
    ~Io() {
        CloseFd(master);
        CloseFd(slave);
        CloseFd(wake);
    }
};

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

bool TerminalSimulator::Start() {
    if (io_) return true;
    auto io = std::make_unique<Io>();
    char path[128] = {};
    io->master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (io->master < 0 || grantpt(io->master) != 0 || unlockpt(io->master) != 0 ||
        ptsname_r(io->master, path, sizeof path) != 0) {
        startError_ = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    io->slave = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    io->wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (io->slave < 0 || io->wake < 0 || !MakeRaw(io->slave) || !MakeRaw(io->master)) {
        startError_ = std::string("pseudo-terminal set-up failed: ") + std::strerror(errno);
        return false;
    }
    portPath_ = path;
    io_ = std::move(io);
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void TerminalSimulator::Stop() {
    if (!io_) return;
    const uint64_t one = 1;
    if (write(io_->wake, &one, sizeof one) < 0) perror("regterm: wake");
    if (thread_.joinable()) thread_.join();
    io_.reset();
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
void TerminalSimulator::Serve() {
    std::string pending;
    while (true) {
        pollfd waits[2] = {{io_->master, POLLIN, 0}, {io_->wake, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 && errno != EINTR) return;
        if (waits[1].revents != 0) return;
        if ((waits[0].revents & POLLIN) == 0) continue;
        char bytes[4096];
        const ssize_t got = read(io_->master, bytes, sizeof bytes);
        if (got <= 0) continue;
        pending.append(bytes, static_cast<size_t>(got));
        while (pending.size() >= 2) {
            const size_t size = static_cast<uint8_t>(pending[0]) * 256u + static_cast<uint8_t>(pending[1]);
            if (pending.size() < 2 + size) break;
            const std::string body = pending.substr(2, size);
            pending.erase(0, 2 + size);
            HandleBody(body);
        }
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
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written = write(io_->master, bytes.data() + sent, bytes.size() - sent);
        if (written > 0) {
            sent += static_cast<size_t>(written);
        } else if (errno != EINTR && errno != EAGAIN) {
            return;
        }
    }
}

} // namespace regterm
