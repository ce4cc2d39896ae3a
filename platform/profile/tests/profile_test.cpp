#include "platform/profile/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/profile_test_XXXXXX";
        folder = mkdtemp(pattern);
        ini = (folder / "fpinit.ini").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void Put(const std::string& bytes) const { std::ofstream(ini, std::ios::binary) << bytes; }
    std::string Contents(const std::string& path = {}) const {
        std::ifstream in(path.empty() ? ini : path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::string Read(const std::string& section, const std::string& key, size_t size = 300) const {
        return ReadProfileString(ini, section, key, "<default>", size);
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename());
        return names;
    }

    fs::path folder;
    std::string ini;
};

const char* const OddFile = "; written by hand\r\n"
                            "top=before any section\r\n"
                            "[Communication]\r\n"
                            "  Port  =  ttyUSB0  \r\n"
                            "Speed=\"9600\"\r\n"
                            "Quoted='  padded  '\r\n"
                            "Mismatched=\"abc'\r\n"
                            "Lone=\"\r\n"
                            "Empty=\r\n"
                            "no equals sign here\r\n"
                            "Eq = a=b\r\n"
                            "\r\n"
                            "[communication]\r\n"
                            "Terminal=in the second copy\r\n"
                            "[ Other ]  \r\n"
                            "Port=first\r\n"
                            "PORT=second\r\n"
                            "[Broken\r\n"
                            "Level=high";

TEST_F(Profile, ReadsKeysAsThePlatformDoes) {
    Put(OddFile);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"COMMUNICATION", "port", "ttyUSB0"},
        {"Communication", "Speed", "9600"},
        {"Communication", "Quoted", "  padded  "},
        {"Communication", "Mismatched", "\"abc'"},
        {"Communication", "Lone", "\""},
        {"Communication", "Empty", ""},
        {"Communication", "Eq", "a=b"},
        {"Communication", "Terminal", "<default>"}, // only the first section of a name counts
        {"Communication", "no equals sign here", "<default>"},
        {"Communication", "top", "<default>"},
        {"Other", "port", "first"},
        {"Other", "Level", "high"}, // "[Broken" is no section header
        {"Missing", "Port", "<default>"}};
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.section, c.key), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(Read("Communication", "Port", 4), "tty");
    EXPECT_EQ(Read("Communication", "Port", 0), "");
    EXPECT_EQ(ReadProfileString(ini, "LogFile", "LogName", "Kaltor.log  ", 4), "Kal");
    EXPECT_EQ(ReadProfileString(ini, "LogFile", "LogName", "name  ", 300), "name");
    EXPECT_EQ(ReadProfileString("", "Priority", "Level", "medium", 20), "medium");
    EXPECT_EQ(ReadProfileString(folder.string(), "A", "b", "dir", 20), "dir");
    EXPECT_EQ(ReadProfileString(ini + "-missing", "A", "b", "none", 20), "none");
}

TEST_F(Profile, ReadsIntegersAsThePlatformDoes) {
    const std::pair<const char*, int> cases[] = {{" -7", -7},
                                                 {"-1", -1},
                                                 {"+3", 3},
                                                 {"\"  \t12\"", 12}, // blanks left inside quotes
                                                 {"0x1F", 31},
                                                 {"0X1F", 0}, // only a lower-case prefix is one
                                                 {"0o17", 15},
                                                 {"0b101", 5},
                                                 {"-0x10", -16},
                                                 {"12abc", 12},
                                                 {"abc", 0},
                                                 {"0x", 0},
                                                 {"\"5\"", 5},
                                                 {"2147483647", INT_MAX},
                                                 {"2147483648", INT_MIN}, // 32 bits wrap
                                                 {"4294967295", -1},
                                                 {"4294967296", 0},
                                                 {"4294967297", 1},
                                                 {"99999999999", 1215752191},
                                                 {"-99999999999", -1215752191}};
    std::string file = "[S]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        file += "k" + std::to_string(i) + "=" + cases[i].first + "\n";
    Put(file + "empty=\n");
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ReadProfileInt(ini, "S", "k" + std::to_string(i), -1), cases[i].second) << cases[i].first;
    EXPECT_EQ(ReadProfileInt(ini, "S", "empty", 42), 42);
    EXPECT_EQ(ReadProfileInt(ini, "S", "missing", -1), -1);
    EXPECT_EQ(ReadProfileInt("", "Fiscal Printer", "Reply", 1), 1);
}

TEST_F(Profile, CreatesAFileTheFirstWritesFill) {
    EXPECT_FALSE(FileExists(ini));
    EXPECT_FALSE(FileExists(folder.string()));
    ASSERT_TRUE(CreateEmptyFile(ini));
    EXPECT_TRUE(FileExists(ini));
    EXPECT_TRUE(WriteProfileString(ini, "CountryMode", "Country code", "0"));
    EXPECT_TRUE(WriteProfileString(ini, "Fiscal Printer", "ExtendedTax", "1"));
    EXPECT_TRUE(WriteProfileString(ini, "LogFile", "Log", "0"));
    EXPECT_TRUE(WriteProfileString(ini, "LogFile", "LogName", "kaltor.log"));
    const std::string created = "[CountryMode]\nCountry code=0\n\n[Fiscal Printer]\nExtendedTax=1\n\n"
                                "[LogFile]\nLog=0\nLogName=kaltor.log\n";
    EXPECT_EQ(Contents(), created);
    EXPECT_TRUE(CreateEmptyFile(ini)); // never empties a settings file that is there
    EXPECT_EQ(Contents(), created);
    EXPECT_FALSE(CreateEmptyFile(folder.string()));
    fs::remove(ini);
    EXPECT_TRUE(WriteProfileString(ini, "Communication", "Port", "/dev/pts/3"));
    EXPECT_EQ(Contents(), "[Communication]\nPort=/dev/pts/3\n");
}

TEST_F(Profile, WriteChangesOneLineAndKeepsEveryOther) {
    Put(OddFile);
    const std::string original = OddFile;
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        const char* before; // the line as it was, found in the file
        const char* after;  // what replaces it
    };
    const Case cases[] = {
        {"communication", "PORT", "ttyACM0", "  Port  =  ttyUSB0  \r\n", "  Port  =  ttyACM0\r\n"},
        {"Communication", "Speed", "115200", "Speed=\"9600\"\r\n", "Speed=115200\r\n"},
        {"Communication", "Baud", "1", "Eq = a=b\r\n", "Eq = a=b\r\nBaud=1\r\n"}, // after the last key
        {"Other", "port", "1st", "Port=first\r\n", "Port=1st\r\n"},
        {"Other", "Level", "low", "Level=high", "Level=low"},
    };
    for (const Case& c : cases) {
        Put(original);
        ASSERT_TRUE(WriteProfileString(ini, c.section, c.key, c.value)) << c.key;
        std::string expected = original;
        expected.replace(expected.find(c.before), std::string(c.before).size(), c.after);
        EXPECT_EQ(Contents(), expected) << c.key;
        EXPECT_EQ(Read(c.section, c.key), c.value);
    }
    Put(original);
    ASSERT_TRUE(WriteProfileString(ini, "Files", "File1", "/home/a.txt"));
    EXPECT_EQ(Contents(), original + "\r\n\r\n[Files]\r\nFile1=/home/a.txt\r\n");
}

TEST_F(Profile, NewKeysGoToTheEndOfTheirSectionBeforeBlankLines) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"[A]\nx=1\n\n\n[B]\ny=2\n", "[A]\nx=1\nk=v\n\n\n[B]\ny=2\n"},
        {"[A]\nx=1\n; about B\n[B]\n", "[A]\nx=1\nk=v\n; about B\n[B]\n"},
        {"[A]\n; notes only\n\n[B]\n", "[A]\n; notes only\nk=v\n\n[B]\n"},
        {"[B]\ny=2\n[A]", "[B]\ny=2\n[A]\nk=v\n"},
        {"[B]\ny=2", "[B]\ny=2\n\n[A]\nk=v\n"},
        {"", "[A]\nk=v\n"},
        {"[A]\r\nx=1\n", "[A]\r\nx=1\nk=v\r\n"}, // new lines take the file's first line ending
    };
    for (const Case& c : cases) {
        Put(c.before);
        ASSERT_TRUE(WriteProfileString(ini, "A", "k", "v"));
        EXPECT_EQ(Contents(), c.after) << c.before;
    }
}

TEST_F(Profile, RefusedAndFailedWritesLeaveTheFileAlone) {
    Put(OddFile);
    EXPECT_FALSE(WriteProfileString(ini, "Communication", "Port", "a\nInjected=1"));
    EXPECT_FALSE(WriteProfileString(ini, "Communication", "Po=rt", "a"));
    EXPECT_FALSE(WriteProfileString(ini, "Communication", "[Other]", "a"));
    EXPECT_FALSE(WriteProfileString(ini, "Comm]", "Port", "a"));
    EXPECT_EQ(Contents(), OddFile);

    EXPECT_FALSE(WriteProfileString("", "A", "k", "v"));
    EXPECT_FALSE(WriteProfileString((folder / "no" / "fpinit.ini").string(), "A", "k", "v"));
    EXPECT_FALSE(WriteProfileString(ini + "/fpinit.ini", "A", "k", "v")); // the folder is a file
    EXPECT_FALSE(WriteProfileString(folder.string(), "A", "k", "v"));
    EXPECT_EQ(Contents(), OddFile);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"fpinit.ini"}); // no temporary file left behind
}

TEST_F(Profile, AFileThatCannotBeReplacedKeepsItsBytes) {
    const std::string readOnly = "/proc/version";
    if (!fs::exists(readOnly)) GTEST_SKIP() << "no " << readOnly;
    const std::string before = Contents(readOnly);
    EXPECT_FALSE(WriteProfileString(readOnly, "A", "k", "v"));
    EXPECT_EQ(Contents(readOnly), before);
}

TEST_F(Profile, KeepsEncodingMarkModeAndLinks) {
    Put("[Priority]\r\nElJournal=\xCA\xD1\xC5\xD4\r\nLevel=high\r\n"); // CP1251, as written on Windows
    EXPECT_EQ(Read("Priority", "ElJournal"), "КСЕФ");
    ASSERT_TRUE(WriteProfileString(ini, "Priority", "Level", "Ёж"));
    EXPECT_EQ(Contents(), "[Priority]\r\nElJournal=\xCA\xD1\xC5\xD4\r\nLevel=\xA8\xE6\r\n");
    EXPECT_EQ(Read("Priority", "Level"), "Ёж");

    Put("\xEF\xBB\xBF[A]\nk=Привет\n");
    EXPECT_EQ(Read("A", "k"), "Привет");
    ASSERT_TRUE(WriteProfileString(ini, "A", "j", "2"));
    EXPECT_EQ(Contents(), "\xEF\xBB\xBF[A]\nk=Привет\nj=2\n");

    chmod(ini.c_str(), 0600);
    ASSERT_TRUE(WriteProfileString(ini, "A", "k", "3"));
    struct stat info {};
    stat(ini.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const std::string link = (folder / "link.ini").string();
    fs::create_symlink(ini, link);
    ASSERT_TRUE(WriteProfileString(link, "A", "k", "4"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadProfileString(ini, "A", "k", "", 10), "4");
}

TEST_F(Profile, AFileWithoutWritePermissionIsNotWritten) {
    Put("[A]\nk=1\n");
    chmod(ini.c_str(), 0444);
    EXPECT_FALSE(WriteProfileString(ini, "A", "k", "2")); // refused even for the superuser
    EXPECT_EQ(Contents(), "[A]\nk=1\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"fpinit.ini"});

    // A writable file keeps its mode and, as far as this user may keep it, its owner.
    chmod(ini.c_str(), 0640);
    struct stat before {};
    stat(ini.c_str(), &before);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(ini.c_str(), 4321, 4321), 0);
    }
    ASSERT_TRUE(WriteProfileString(ini, "A", "k", "3"));
    struct stat after {};
    stat(ini.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, geteuid() == 0 ? 4321u : before.st_uid);
    EXPECT_EQ(after.st_gid, geteuid() == 0 ? 4321u : before.st_gid);
}

TEST_F(Profile, TwoProgramsWritingAtOnceBothKeepTheirKeys) {
    constexpr int KeysEach = 200;
    const auto writeKeys = [&](const std::string& prefix) {
        bool all = true;
        for (int i = 0; i < KeysEach; ++i)
            all = WriteProfileString(ini, "Shared", prefix + std::to_string(i), std::to_string(i)) && all;
        return all;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(writeKeys("child") ? 0 : 1);
    EXPECT_TRUE(writeKeys("parent"));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (const char* prefix : {"child", "parent"})
        for (int i = 0; i < KeysEach; ++i)
            EXPECT_EQ(Read("Shared", prefix + std::to_string(i)), std::to_string(i)) << prefix << i;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"fpinit.ini"});
}

TEST_F(Profile, AWriteRemovesTemporariesLeftByAKilledWriter) {
    Put("[A]\nk=0\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int i = 0;; ++i)
            WriteProfileString(ini, "A", "k", std::string(100000, 'x') + std::to_string(i));
    }
    usleep(30000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // Temporaries of this file, as a writer killed earlier may have left them, and files of others.
    for (const char* name : {"fpinit.ini.tmp99999-0", "fpinit.ini.tmp1-17", "fpinit.ini.bak",
                             "fpinit.ini.tmpnotes", "other.ini.tmp1-1"})
        std::ofstream(folder / name) << "[A]\nk=half";
    ASSERT_TRUE(WriteProfileString(ini, "A", "k", "1"));
    auto entries = FolderEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"fpinit.ini", "fpinit.ini.bak", "fpinit.ini.tmpnotes",
                                                 "other.ini.tmp1-1"}));
}

std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char16_t unit = lead;
        if (lead >= 0xE0) {
            unit = static_cast<char16_t>(((lead & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) |
                                         (utf8[i + 2] & 0x3F));
            i += 3;
        } else if (lead >= 0xC0) {
            unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
            i += 2;
        } else {
            ++i;
        }
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST_F(Profile, Utf16FilesAreReadAndWrittenBackInUtf16) {
    for (const bool bigEndian : {false, true}) {
        const std::string bom = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        Put(bom + Utf16("[Priority]\r\nElJournal=КСЕФ\r\n", bigEndian));
        EXPECT_EQ(Read("Priority", "ElJournal"), "КСЕФ");
        ASSERT_TRUE(WriteProfileString(ini, "Priority", "Level", "высокий"));
        ASSERT_TRUE(WriteProfileString(ini, "Communication", "Port", "ttyACM0"));
        EXPECT_EQ(Contents(), bom + Utf16("[Priority]\r\nElJournal=КСЕФ\r\nLevel=высокий\r\n\r\n"
                                          "[Communication]\r\nPort=ttyACM0\r\n",
                                          bigEndian));
    }
    // A UTF-16 file that would not come back as it was is read but never written.
    const std::string broken = "\xFF\xFE" + Utf16("[A]\nk=1\n", false) + "\x41";
    Put(broken);
    EXPECT_EQ(Read("A", "k"), "1");
    EXPECT_FALSE(WriteProfileString(ini, "A", "k", "2"));
    EXPECT_EQ(Contents(), broken);
}

TEST_F(Profile, TextTheFileCannotHoldFailsTheWrite) {
    const std::string cp1251 = "[A]\r\nk=\xCA\xD1\xC5\xD4\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"A", "k", "中"}, {"A", "new", "a😀"}, {"Раздел€", "ключ", "значение中"}, {"A", "k", "broken \xD0"}};
    for (const Case& c : cases) {
        Put(cp1251);
        EXPECT_FALSE(WriteProfileString(ini, c.section, c.key, c.value)) << c.value;
        EXPECT_EQ(Contents(), cp1251) << c.value;
    }
    fs::remove(ini);
    EXPECT_FALSE(WriteProfileString(ini, "A", "k", "broken \xD0"));
    EXPECT_FALSE(fs::exists(ini));                        // a refused first write leaves no empty file
    EXPECT_TRUE(WriteProfileString(ini, "A", "k", "中")); // a new file is UTF-8 and holds any text
    EXPECT_EQ(Read("A", "k"), "中");
}

TEST_F(Profile, VeryLongLinesSurviveReadsAndWrites) {
    const std::string longValue(1 << 20, 'v');
    const std::string longComment = "; " + std::string(200000, 'c');
    Put("[A]\n" + longComment + "\nbig=" + longValue + "\nsmall=1\n");
    EXPECT_EQ(ReadProfileString(ini, "A", "big", "", longValue.size() + 1), longValue);
    EXPECT_EQ(ReadProfileString(ini, "A", "big", "", 300), std::string(299, 'v'));
    ASSERT_TRUE(WriteProfileString(ini, "A", "small", longValue));
    EXPECT_EQ(Contents(), "[A]\n" + longComment + "\nbig=" + longValue + "\nsmall=" + longValue + "\n");
}

} // namespace
