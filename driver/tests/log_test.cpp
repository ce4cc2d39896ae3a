// The session log file: its lines, time stamps and where it goes.
#include <gtest/gtest.h>

#include "driver/link.h"
#include "driver/tests/log_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    return LogFolder::Read(path);
}

// Runs in a fresh folder of its own, with the clock fixed at 9:05:03 on 7 March 2026.
class SessionLog : public ::testing::Test {
protected:
    LogFolder logFolder;
    const fs::path& folder = logFolder.Path();
};

TEST(LogTimeStamp, PadsDayAndHourWithBlanks) {
    const struct {
        LocalDateTime time;
        const char* text;
    } cases[] = {
        {{2026, 3, 7, 9, 5, 3, 0}, " 7-03-2026  9:05:03"},
        {{2026, 12, 31, 23, 59, 59, 999}, "31-12-2026 23:59:59"},
        {{2027, 1, 1, 0, 0, 0, 0}, " 1-01-2027  0:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLogTimeStamp(c.time), c.text);
}

TEST_F(SessionLog, AppendsSessionAndEntryLines) {
    std::ofstream(folder / "kaltor.log") << "older\n";
    SetLogFileName("kaltor.log");
    WriteSessionLog("", "");
    WriteSessionLog("21", "21736204;");
    WriteSessionLog("21 SYN=0", ";\x01+!!0000;\x04");
    WriteSessionLog("end", "");
    EXPECT_EQ(ReadFile(folder / "kaltor.log"), "older\n"
                                               ";Начало сеанса    7-03-2026  9:05:03 \n"
                                               "; 7-03-2026  9:05:03  21\n"
                                               "21736204;\n"
                                               "; 7-03-2026  9:05:03  21 SYN=0\n"
                                               ";\x01+!!0000;\x04\n"
                                               ";Конец Сеанса    7-03-2026  9:05:03 \n");
}

TEST_F(SessionLog, EmptyNameWritesNothing) {
    WriteSessionLog("", "");
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SessionLog, PathIsFixedAtTheFirstLine) {
    SetLogFileName("first.log");
    WriteSessionLog("", "");
    fs::create_directories(folder / "later");
    fs::current_path(folder / "later");
    SetLogFileName("second.log"); // changes whether lines are written, not where
    WriteSessionLog("end", "");
    EXPECT_EQ(ReadFile(folder / "first.log"), ";Начало сеанса    7-03-2026  9:05:03 \n"
                                              ";Конец Сеанса    7-03-2026  9:05:03 \n");
    EXPECT_TRUE(fs::is_empty(folder / "later"));
    const std::string written = ReadFile(folder / "first.log");
    SetLogFileName("");
    WriteSessionLog("end", "");
    EXPECT_EQ(ReadFile(folder / "first.log"), written);
}

TEST_F(SessionLog, FileThatCannotBeOpenedIsSkipped) {
    fs::create_directories(folder / "taken.log"); // a folder where the file should be
    SetLogFileName("taken.log");
    WriteSessionLog("", "");
    SetLogFileName("missing/x.log");
    WriteSessionLog("21", "21736204;");
    EXPECT_TRUE(fs::is_empty(folder / "taken.log"));
}

} // namespace
