#pragma once
// The driver's side of the pseudo-terminal for the tests: plain POSIX reads and writes on the slave.
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace regsim_test {

// A command frame with its checksum, computed here on its own so that the tests check the simulator.
inline std::string CommandFrame(unsigned char seq, unsigned char code, const std::string& data) {
    std::string body;
    body += static_cast<char>(data.size() + 0x24);
    body += static_cast<char>(seq);
    body += static_cast<char>(code);
    body += data + "\x05";
    unsigned sum = 0;
    for (unsigned char c : body)
        sum += c;
    std::string frame = "\x01" + body;
    for (int shift = 12; shift >= 0; shift -= 4)
        frame += static_cast<char>(0x30 + ((sum >> shift) & 0xF));
    return frame + "\x03";
}

class PtyClient {
public:
    explicit PtyClient(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~PtyClient() {
        if (fd_ >= 0) close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }

    bool Write(const std::string& bytes) const {
        return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads until `count` bytes came or nothing came for quietMs.
    std::string Read(size_t count = 4096, int quietMs = 150) const {
        std::string bytes;
        char buffer[512];
        pollfd wait{fd_, POLLIN, 0};
        while (bytes.size() < count && poll(&wait, 1, quietMs) > 0) {
            const ssize_t got = read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (got <= 0) break;
            bytes.append(buffer, static_cast<size_t>(got));
        }
        return bytes;
    }

    // Reads one whole answer: up to ETX or a NAK, or what came before the sender went quiet.
    std::string ReadAnswer(int quietMs = 1000) const {
        std::string bytes;
        while (bytes.empty() || (bytes.back() != '\x03' && bytes != "\x15")) {
            const std::string more = Read(1, quietMs);
            if (more.empty()) break;
            bytes += more;
        }
        return bytes;
    }

    // Milliseconds between writing the frame and the first byte of its answer.
    long MsUntilFirstByte(const std::string& frame) const {
        const auto start = std::chrono::steady_clock::now();
        Write(frame);
        if (Read(1, 2000).empty()) return -1;
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                .count());
    }

private:
    int fd_;
};

} // namespace regsim_test
