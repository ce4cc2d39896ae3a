#pragma once
// A test's own fresh folder, current while the test runs, with the session log started over as at
// program start and the local clock fixed at 9:05:03 on 7 March 2026 (Stamp). Everything is put
// back when it goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "driver/session_log.h"
#include "platform/clock/clock.h"

class LogFolder {
public:
    static constexpr const char* Stamp = " 7-03-2026  9:05:03";

    LogFolder()
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() /
                ("kaltor-log-" + std::to_string(::getpid()) + "-" + TestName())) {
        std::filesystem::remove_all(path_); // left by a test that crashed under the same process number
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
        ResetSessionLog();
        SetLocalClock([] { return LocalDateTime{2026, 3, 7, 9, 5, 3, 0}; });
    }
    ~LogFolder() {
        SetLocalClock({});
        ResetSessionLog();
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    LogFolder(const LogFolder&) = delete;
    LogFolder& operator=(const LogFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // The file's bytes; empty when there is no such file.
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    // A parameterised test's name holds a "/", which must not make a folder of its own.
    static std::string TestName() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/') c = '-';
        return name;
    }

    std::filesystem::path previous_;
    std::filesystem::path path_;
};
