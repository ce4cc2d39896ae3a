#pragma once
// A simulator program of build/bin (the bank terminal's regterm, the register's regsim), started for
// one test with its options and stopped by its process id.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

class SimulatorProcess {
public:
    SimulatorProcess(const std::string& name, const std::vector<std::string>& options) {
        const std::string program =
            (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" / name)
                .string();
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& option : options)
                argv.push_back(const_cast<char*>(option.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        out_ = out[0];
        port_ = ReadLine();
        EXPECT_FALSE(port_.empty()) << name << " did not start: " << program;
    }

    ~SimulatorProcess() {
        Stop();
        if (out_ >= 0) close(out_);
    }

    const std::string& Port() const { return port_; }

protected:
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    // One line of its output; empty at the end or after five seconds without one.
    std::string ReadLine() {
        std::string line;
        char c = 0;
        while (true) {
            pollfd wait{out_, POLLIN, 0};
            if (poll(&wait, 1, 5000) <= 0 || read(out_, &c, 1) != 1 || c == '\n') return line;
            line += c;
        }
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string port_;
};

// The bank-terminal simulator: its output after the port is one line per sale request received.
class TerminalProcess : public SimulatorProcess {
public:
    explicit TerminalProcess(const std::vector<std::string>& options) : SimulatorProcess("regterm", options) {}

    // Stops the program and gives the requests it printed, without the "request " before each.
    std::vector<std::string> Requests() {
        Stop();
        std::vector<std::string> requests;
        for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
            requests.push_back(line.substr(line.find(' ') + 1));
        return requests;
    }
};
