#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/profile/profile.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace {
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("kaltor-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        ResetSession();
        Session.IniFileName = (folder_ / "fpinit.ini").string();
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        ResetSession();
    }
    std::string FileText() const {
        std::ifstream in(Session.IniFileName);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::filesystem::path folder_;
};

TEST_F(SettingsTest, MissingFileGivesTheReadDefaults) {
    EXPECT_FALSE(SettingsFileExists());
    EXPECT_EQ(ReadSetting(settings::Reply), 1);
    EXPECT_EQ(ReadSetting(settings::UkrVersion), -1);
    EXPECT_EQ(ReadSetting(settings::ExtendedTax), 0);
    EXPECT_EQ(ReadSetting(settings::LogName), "Kaltor.log");
    EXPECT_EQ(ReadSetting(settings::PriorityLevel), "medium");
    EXPECT_EQ(ReadSetting(settings::Port), "");
}

TEST_F(SettingsTest, CreationWritesExactlyTheFourKeys) {
    ASSERT_TRUE(CreateSettingsFile());
    EXPECT_TRUE(SettingsFileExists());
    const std::string text = FileText();
    for (const char* line : {"[CountryMode]", "Country code=0", "[Fiscal Printer]", "ExtendedTax=1",
                             "[LogFile]", "Log=0", "LogName=kaltor.log"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 4);
    EXPECT_EQ(ReadSetting(settings::ExtendedTax), 1);
    EXPECT_EQ(ReadSetting(settings::LogName), "kaltor.log");
}

TEST_F(SettingsTest, ValuesAreCutToTheirBuffers) {
    ASSERT_TRUE(WriteSetting(settings::Speed, "1152000000000"));
    ASSERT_TRUE(WriteSetting(settings::PriorityLevel, "high-high-high-high-high"));
    ASSERT_TRUE(WriteSetting(settings::Port, "/dev/pts/12"));
    EXPECT_EQ(ReadSetting(settings::Speed), "115200000");
    EXPECT_EQ(ReadSetting(settings::PriorityLevel), "high-high-high-high");
    EXPECT_EQ(ReadSetting(settings::Port), "/dev/pts/12"); // a whole pseudo-terminal path
}

TEST_F(SettingsTest, TheResendCountIsKeptWithinReason) {
    const struct {
        const char* written;
        int read;
    } cases[] = {{"3", 3}, {"0", 0}, {"10", 10}, {"11", 10}, {"999999999", 10}, {"-5", 0}};
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteProfileString(Session.IniFileName, "Fiscal Printer", "Reply", c.written));
        EXPECT_EQ(ReadSetting(settings::Reply), c.read) << c.written;
    }
}

TEST_F(SettingsTest, NoFileNameMeansDefaultsAndFailedWrites) {
    Session.IniFileName.clear();
    EXPECT_FALSE(WriteSetting(settings::Port, "ttyS0"));
    EXPECT_EQ(ReadSetting(settings::Port), "");
    EXPECT_FALSE(CreateSettingsFile());
}
} // namespace
