// The regsim program, started by path and stopped by its pid.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tools/regsim/tests/pty_client.h"

extern char** environ;

namespace {

std::string ProgramPath() {
    if (const char* bin = std::getenv("KALTOR_BIN")) return std::string(bin) + "/regsim";
    // Run by hand: the tests lie in <build>/tests, the programs in <build>/bin.
    char self[4096] = {};
    const ssize_t size = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir(self, size > 0 ? static_cast<size_t>(size) : 0);
    dir = dir.substr(0, dir.rfind('/'));
    return dir.substr(0, dir.rfind('/')) + "/bin/regsim";
}

// The program with its stdout on a pipe.
class Program {
public:
    explicit Program(std::vector<std::string> args) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        args.insert(args.begin(), ProgramPath());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        out_ = out[0];
    }
    ~Program() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
    }
    bool Started() const { return pid_ > 0; }

    // What the program printed, up to its end of output or until nothing came for timeoutMs.
    std::string ReadLine(int timeoutMs = 5000) {
        std::string text;
        char c;
        pollfd wait{out_, POLLIN, 0};
        while (poll(&wait, 1, timeoutMs) > 0 && read(out_, &c, 1) == 1 && c != '\n')
            text += c;
        return text;
    }
    std::string ReadAll() {
        std::string text, line;
        while (!(line = ReadLine()).empty())
            text += line + "\n";
        return text;
    }

    void Signal(int signal) const { kill(pid_, signal); }

    // The exit status, or -1 when the program has not ended within timeoutMs.
    int WaitForExit(int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool exited_ = false;
};

// The kernel removes a terminal's node a moment after its last descriptor closes, and a test
// running beside this one may be given the same number at once: gone, or a new terminal, is fine.
bool TerminalGoes(const std::string& port, const struct stat& ours) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        struct stat now {};
        if (stat(port.c_str(), &now) != 0) return true;
        if (now.st_ctim.tv_sec != ours.st_ctim.tv_sec || now.st_ctim.tv_nsec != ours.st_ctim.tv_nsec)
            return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

TEST(RegsimProgram, ServesItsPortUntilSigtermThenLeavesNothingBehind) {
    for (int signal : {SIGTERM, SIGINT}) {
        Program program({"--model", "Kivrel LX-9", "--version", "2.02", "--log"});
        ASSERT_TRUE(program.Started()) << ProgramPath();
        const std::string port = program.ReadLine();
        ASSERT_EQ(port.rfind("/dev/pts/", 0), 0u) << port;
        {
            regsim_test::PtyClient client(port);
            ASSERT_TRUE(client.IsOpen());
            client.Write(regsim_test::CommandFrame(0x21, 0x80, "736204;"));
            const std::string answer = client.ReadAnswer();
            EXPECT_NE(answer.find("0000;Kivrel LX-9;2.02;"), std::string::npos) << answer;
        }
        struct stat before {};
        ASSERT_EQ(stat(port.c_str(), &before), 0);
        program.Signal(signal);
        EXPECT_EQ(program.WaitForExit(), 0);
        EXPECT_TRUE(TerminalGoes(port, before)) << "the terminal stayed behind";
    }
}

TEST(RegsimProgram, HelpAndBadOptions) {
    Program help({"--help"});
    EXPECT_NE(help.ReadAll().find("--model TEXT"), std::string::npos);
    EXPECT_EQ(help.WaitForExit(), 0);
    Program bad({"--model"});
    EXPECT_EQ(bad.ReadAll(), "");
    EXPECT_EQ(bad.WaitForExit(), 2);
    for (const char* speed : {"0", "-9600", "fast", "99999999"}) {
        Program badSpeed({"--baud", speed});
        EXPECT_EQ(badSpeed.ReadAll(), "") << speed;
        EXPECT_EQ(badSpeed.WaitForExit(), 2) << speed;
    }
}
