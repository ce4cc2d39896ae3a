// File utilities in a temporary folder: paths, attributes, copy and move, deleting, clearing, locks.
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/file_utils.h"
#include "controls/tests/temp_folder.h"
#include "kitbase/progress.h"
#include "platform/files/tests/user_file.h"
#include "platform/forms/tests/fixture.h"

namespace {

// A progress control that remembers every position it was given.
class TRecordingMeter : public TControl {
public:
    TRecordingMeter() : TControl(new QWidget) {}
    int Max() const { return max_; }
    void SetMax(int max) { max_ = max; }
    int Min() const { return 0; }
    void SetMin(int) {}
    int Position() const { return positions_.empty() ? 0 : positions_.back(); }
    void SetPosition(int position) { positions_.push_back(position); }
    std::vector<int> positions_;

private:
    int max_ = 0;
};

void RegisterRecordingMeter() {
    static bool done = [] {
        TClassInfo& c = RegisterControlClass<TRecordingMeter>("TRecordingMeter", ClassInfoOf<TControl>());
        c.Props = {IntegerProperty<TRecordingMeter>("Max", &TRecordingMeter::Max, &TRecordingMeter::SetMax),
                   IntegerProperty<TRecordingMeter>("Min", &TRecordingMeter::Min, &TRecordingMeter::SetMin),
                   IntegerProperty<TRecordingMeter>("Position", &TRecordingMeter::Position,
                                                    &TRecordingMeter::SetPosition)};
        RegisterProgressControl(c, "Max", "Min", "Position");
        return true;
    }();
    (void)done;
}

class FileUtilsTest : public FormsTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.Made()); }
    TempFolder dir;
};

std::string Bytes(size_t count) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

// Names of the folder's entries, hidden ones included.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FilePathsTest, PathTextFunctions) {
    struct Case {
        std::string input, normalDir, noSlash;
    } cases[] = {
        {"", "", ""},
        {"/", "/", "/"},
        {"a", "a/", "a"},
        {"/tmp/data", "/tmp/data/", "/tmp/data"},
        {"/tmp/data/", "/tmp/data/", "/tmp/data"},
        {"/tmp/data//", "/tmp/data//", "/tmp/data/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalDir(c.input), c.normalDir) << c.input;
        EXPECT_EQ(RemoveBackSlash(c.input), c.noSlash) << c.input;
    }
    struct NameCase {
        std::string name;
        bool valid;
    } names[] = {{"", false},    {"report.txt", true},   {"a|b", false},
                 {"a<b", false}, {"a>b", false},         {"a\"b", false},
                 {"[x]", false}, {"/tmp/x y.bin", true}, {"Отчёт.KEY", true}};
    for (const NameCase& n : names)
        EXPECT_EQ(ValidFileName(n.name), n.valid) << n.name;
    EXPECT_EQ(GetWindowsDir(), "");
    EXPECT_EQ(GetSystemDir(), "");
    EXPECT_EQ(GetTempDir().back(), '/');
}

TEST_F(FileUtilsTest, SizesDatesAttributesAndNames) {
    WriteFile(dir / "data.bin", Bytes(1000));
    WriteFile(dir / ".hidden", "x");
    WriteFile(dir / "locked.txt", "x");
    chmod((dir / "locked.txt").c_str(), 0444);
    std::filesystem::create_directory(dir / "sub");
    symlink((dir / "data.bin").c_str(), (dir / "link").c_str());

    EXPECT_EQ(GetFileSize(dir / "data.bin"), 1000);
    EXPECT_EQ(GetFileSize(dir / "sub"), -1);
    EXPECT_EQ(GetFileSize(dir / "missing"), -1);
    EXPECT_EQ(FileDateTime(dir / "missing"), 0);
    EXPECT_NEAR(FileDateTime(dir / "data.bin"), Now(), 1.0 / 24 / 60);

    struct Case {
        std::string name;
        int attributes;
        bool has;
    } cases[] = {
        {"locked.txt", faReadOnly, true},
        {"data.bin", faReadOnly, false},
        {".hidden", faHidden, true},
        {"data.bin", faHidden, false},
        {"sub", faDirectory, true},
        {"link", faSymLink, true},
        {"data.bin", faArchive, false},
        {"missing", 0, false},
        {"sub", faDirectory | faHidden, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasAttr(dir / c.name, c.attributes), c.has) << c.name << " " << c.attributes;

    EXPECT_TRUE(DirExists(dir / "sub"));
    EXPECT_FALSE(DirExists(dir / "data.bin"));
    EXPECT_EQ(ShortToLongFileName(dir / "data.bin"), "data.bin");
    EXPECT_EQ(LongToShortFileName(dir / "missing"), "");
    EXPECT_EQ(ShortToLongPath(dir / "sub"), dir / "sub");
    EXPECT_TRUE(ForceDirectories(dir / "a/b/c/"));
    EXPECT_TRUE(DirExists(dir / "a/b/c"));
}

TEST_F(FileUtilsTest, CopyRunsTheProgressToTheFileSizeAndKeepsTheDate) {
    RegisterRecordingMeter();
    TRecordingMeter meter;
    const std::string bytes = Bytes(100000);
    WriteFile(dir / "source.bin", bytes);
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, (dir / "source.bin").c_str(), old, 0);

    CopyFile(dir / "source.bin", dir / "out/copy.bin", &meter);

    EXPECT_EQ(ReadFile(dir / "out/copy.bin"), bytes);
    EXPECT_EQ(meter.Max(), 100000);
    ASSERT_GE(meter.positions_.size(), 3u);
    EXPECT_EQ(meter.positions_.front(), 0);
    EXPECT_EQ(meter.positions_[meter.positions_.size() - 2], 100000);
    EXPECT_EQ(meter.positions_.back(), 0) << "reset after the copy";
    EXPECT_EQ(FileDateTime(dir / "out/copy.bin"), FileDateTime(dir / "source.bin"));
    EXPECT_EQ(Entries(dir / "out"), std::vector<std::string>{"copy.bin"});
}

TEST_F(FileUtilsTest, CopyIntoAFolderAndOverReadOnlyFiles) {
    WriteFile(dir / "source.bin", "new");
    std::filesystem::create_directory(dir / "target");
    CopyFile(dir / "source.bin", dir / "target");
    EXPECT_EQ(ReadFile(dir / "target/source.bin"), "new");

    WriteFile(dir / "readonly.bin", "old");
    chmod((dir / "readonly.bin").c_str(), 0444);
    EXPECT_THROW(CopyFile(dir / "source.bin", dir / "readonly.bin"), EFCreateError);
    EXPECT_EQ(ReadFile(dir / "readonly.bin"), "old");
    CopyFileEx(dir / "source.bin", dir / "readonly.bin", true, false);
    EXPECT_EQ(ReadFile(dir / "readonly.bin"), "new");

    EXPECT_THROW(CopyFile(dir / "missing.bin", dir / "x.bin"), EFOpenError);
    EXPECT_FALSE(Exists(dir / "x.bin"));
}

TEST_F(FileUtilsTest, CopyingOrMovingAFileOntoItselfKeepsIt) {
    WriteFile(dir / "self.bin", "keep me");
    link((dir / "self.bin").c_str(), (dir / "hard.bin").c_str());
    EXPECT_THROW(CopyFile(dir / "self.bin", dir / "self.bin"), EFCreateError);
    EXPECT_THROW(CopyFile(dir / "self.bin", dir.Path()), EFCreateError);
    EXPECT_THROW(CopyFile(dir / "self.bin", dir / "hard.bin"), EFCreateError);
    MoveFile(dir / "self.bin", dir / "self.bin");
    MoveFile(dir / "self.bin", dir / "./self.bin");
    EXPECT_EQ(ReadFile(dir / "self.bin"), "keep me");
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"hard.bin", "self.bin"}));
}

TEST_F(FileUtilsTest, AFailedCopyLeavesTheOldDestinationAndNoPartialFile) {
    WriteFile(dir / "target.bin", "previous");
    // A source that opens but cannot be read.
    EXPECT_THROW(CopyFile("/proc/self/mem", dir / "target.bin"), EReadError);
    EXPECT_EQ(ReadFile(dir / "target.bin"), "previous");

    // A disk that fills up half-way: the file-size limit makes writes fail.
    WriteFile(dir / "big.bin", Bytes(100000));
    {
        FileSizeLimit limit(20000);
        EXPECT_THROW(CopyFile(dir / "big.bin", dir / "target.bin"), EWriteError);
    }
    EXPECT_EQ(ReadFile(dir / "target.bin"), "previous");
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"big.bin", "target.bin"}));
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// What a copy leaves behind, compared between CopyFile and cp: the destination's kind and permission
// bits, and the bytes and bits of the file a link destination names.
struct CopyOutcome {
    mode_t destination, linked;
    std::string bytes;
    bool operator==(const CopyOutcome&) const = default;
};

TEST_F(FileUtilsTest, CopiesGetThePermissionsThatCpGives) {
    enum Destination { None, File, Link };
    const struct Case {
        mode_t source;
        Destination destination;
        mode_t existing;
    } cases[] = {{0600, None, 0},    {0755, None, 0},    {0644, None, 0},    {0600, File, 0644},
                 {0755, File, 0600}, {0644, File, 0640}, {0600, Link, 0640}, {0755, Link, 0600}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "case" + std::to_string(n++);
        CopyOutcome outcome[2];
        for (int byCp = 0; byCp < 2; ++byCp) {
            const std::string folder = dir / (name + (byCp ? "-cp" : "-ours"));
            std::filesystem::create_directory(folder);
            WriteFile(folder + "/source", "payload " + name);
            chmod((folder + "/source").c_str(), c.source);
            const std::string target = folder + "/target", linked = folder + "/linked";
            if (c.destination != None) {
                WriteFile(c.destination == Link ? linked : target, "old");
                chmod((c.destination == Link ? linked : target).c_str(), c.existing);
            }
            if (c.destination == Link) symlink("linked", target.c_str());
            if (byCp)
                ASSERT_EQ(std::system(("cp " + folder + "/source " + target).c_str()), 0);
            else
                CopyFile(folder + "/source", target);
            outcome[byCp] = {ModeOf(target), ModeOf(linked), ReadFile(target)};
        }
        EXPECT_EQ(outcome[0], outcome[1]) << name << ": mode " << std::oct << outcome[0].destination
                                          << " where cp gives " << outcome[1].destination;
    }
    symlink("nowhere", (dir / "dangling").c_str());
    WriteFile(dir / "source", "payload");
    EXPECT_THROW(CopyFile(dir / "source", dir / "dangling"), EFCreateError);
    EXPECT_FALSE(Exists(dir / "nowhere")) << "a link to no file creates nothing";
}

// A copy over the user's own file, or a link to it: what cp leaves, owner included, or the file as it
// was when the disk filled up half-way.
TEST_F(FileUtilsTest, ACopyLeavesTheUserFileAsCpWouldOrAsItWas) {
    const std::string old = "previous", copied = Bytes(100000), target = dir / "target.bin";
    WriteFile(dir / "source.bin", copied);
    const struct {
        const char* name;
        rlim_t fileSizeLimit;
        bool copied;
    } cases[] = {{"copied", RLIM_INFINITY, true}, {"disk full half-way", 20000, false}};
    for (const UserFile kind : {UserFile::Private, UserFile::Link})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(NameOf(kind)) + ", " + c.name);
            const UserFileCase user(dir.Path(), "target.bin", kind, old);
            {
                FileSizeLimit limit(c.fileSizeLimit);
                if (c.copied)
                    CopyFile(dir / "source.bin", target);
                else
                    EXPECT_THROW(CopyFile(dir / "source.bin", target), EWriteError);
            }
            user.ExpectLeft(c.copied ? std::optional(copied) : std::nullopt);
        }
}

// Across file systems a move copies; a link at the destination is then replaced, as mv replaces it.
TEST_F(FileUtilsTest, AMoveAcrossFileSystemsReplacesALinkAsMvDoes) {
    TempFolder shm("/dev/shm");
    struct stat here {
    }, there{};
    if (!shm.Made() || stat(dir.Path().c_str(), &here) != 0 || stat(shm.Path().c_str(), &there) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system";
    UserFileState outcome[2];
    for (int byMv = 0; byMv < 2; ++byMv) {
        const std::string source = dir / "moved.bin", target = shm / "target.bin";
        WriteFile(source, "payload");
        chmod(source.c_str(), 0640);
        PlaceUserFile(shm.Path(), "target.bin", UserFile::Link, "old");
        if (byMv)
            ASSERT_EQ(std::system(("mv " + source + " " + target).c_str()), 0);
        else
            MoveFile(source, target);
        outcome[byMv] = UserFileAt(target);
        EXPECT_FALSE(Exists(source));
        EXPECT_EQ(ReadFile(shm / "target.bin.own"), "old") << "the file the link named stays";
    }
    EXPECT_EQ(outcome[0], outcome[1]);
}

TEST_F(FileUtilsTest, MoveRenamesOrCopiesAcrossFileSystems) {
    TempFolder shm("/dev/shm");
    struct stat here {
    }, there{};
    stat(dir.Path().c_str(), &here);
    const bool otherFileSystem =
        shm.Made() && stat(shm.Path().c_str(), &there) == 0 && here.st_dev != there.st_dev;
    std::filesystem::create_directory(dir / "folder");
    struct Case {
        std::string destination, arrives;
    } cases[] = {
        {dir / "renamed.bin", dir / "renamed.bin"},
        {dir / "folder", dir / "folder/moved.bin"}, // a rename onto a folder fails; the copy goes in
        {otherFileSystem ? shm / "moved.bin" : dir / "folder/again.bin",
         otherFileSystem ? shm / "moved.bin" : dir / "folder/again.bin"},
    };
    for (mode_t mode : {0444, 0750})
        for (const Case& c : cases) {
            WriteFile(dir / "moved.bin", "payload");
            chmod((dir / "moved.bin").c_str(), mode);
            MoveFile(dir / "moved.bin", c.destination);
            EXPECT_EQ(ReadFile(c.arrives), "payload") << c.destination;
            EXPECT_EQ(ModeOf(c.arrives) & 07777, mode) << c.destination << ": the bits move along";
            EXPECT_FALSE(Exists(dir / "moved.bin")) << c.destination;
            chmod(c.arrives.c_str(), 0644);
            unlink(c.arrives.c_str());
        }
    EXPECT_THROW(MoveFile(dir / "missing.bin", dir / "x.bin"), EFOpenError);
}

TEST_F(FileUtilsTest, DeleteByMaskLeavesHiddenFilesFoldersAndLinkTargets) {
    TempFolder outside;
    WriteFile(outside / "target.txt", "outside");
    std::filesystem::create_directory(outside / "folder");
    for (const char* name : {"a.txt", "b.txt", ".hidden.txt", "c.log"})
        WriteFile(dir / name, "x");
    std::filesystem::create_directory(dir / "d.txt");
    symlink((outside / "target.txt").c_str(), (dir / "file-link.txt").c_str());
    symlink((outside / "folder").c_str(), (dir / "folder-link.txt").c_str());

    EXPECT_TRUE(DeleteFiles(dir / "*.txt"));
    EXPECT_EQ(Entries(dir.Path()),
              (std::vector<std::string>{".hidden.txt", "c.log", "d.txt", "folder-link.txt"}));
    EXPECT_EQ(ReadFile(outside / "target.txt"), "outside");

    EXPECT_TRUE(DeleteFilesEx({dir / "*.none", dir / "*.*"}));
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{".hidden.txt", "d.txt", "folder-link.txt"}));
    EXPECT_TRUE(DeleteFiles(dir / "missing-folder/*.txt"));
}

TEST_F(FileUtilsTest, ClearDirNeverFollowsLinksOutOfTheFolder) {
    TempFolder outside;
    WriteFile(outside / "keep.txt", "outside");
    std::filesystem::create_directory(outside / "tree");
    WriteFile(outside / "tree/leaf.txt", "leaf");
    std::filesystem::create_directories(dir / "work/sub/deeper");
    WriteFile(dir / "work/one.txt", "1");
    WriteFile(dir / "work/.hidden", "h");
    WriteFile(dir / "work/sub/deeper/two.txt", "2");
    chmod((dir / "work/sub/deeper/two.txt").c_str(), 0444);
    chmod((dir / "work/sub/deeper").c_str(), 0555);
    symlink((outside / "keep.txt").c_str(), (dir / "work/file-link").c_str());
    symlink((outside / "tree").c_str(), (dir / "work/sub/tree-link").c_str());
    symlink((dir / "work").c_str(), (dir / "work-link").c_str());

    EXPECT_FALSE(ClearDir(dir / "work-link", true)) << "a folder given as a link is not cleared";
    EXPECT_TRUE(Exists(dir / "work/one.txt"));

    EXPECT_TRUE(ClearDir(dir / "work", false));
    EXPECT_TRUE(Entries(dir / "work").empty());
    EXPECT_TRUE(ClearDir(dir / "work/", true));
    EXPECT_FALSE(Exists(dir / "work"));
    EXPECT_FALSE(ClearDir(dir / "work", true));
    EXPECT_EQ(ReadFile(outside / "keep.txt"), "outside");
    EXPECT_EQ(ReadFile(outside / "tree/leaf.txt"), "leaf");
}

TEST_F(FileUtilsTest, LocksFromTwoDescriptorsExcludeEachOther) {
    WriteFile(dir / "locked.bin", Bytes(100));
    const int first = open((dir / "locked.bin").c_str(), O_RDWR);
    const int second = open((dir / "locked.bin").c_str(), O_RDWR);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_EQ(FileLock(first, 0, 10), 0);
    EXPECT_NE(FileLock(second, 5, 10), 0);
    EXPECT_EQ(FileLock(second, 10, 5), 0);
    EXPECT_EQ(FileUnlock(first, 0, 10), 0);
    EXPECT_EQ(FileLock(second, 0, 10), 0);
    EXPECT_EQ(FileLock(first, int64_t{1} << 40, 1), 0) << "64-bit offsets";
    EXPECT_EQ(FileLock(first, -1, 10), EINVAL);
    EXPECT_EQ(FileLock(first, 0, 0), EINVAL);
    EXPECT_EQ(FileLock(-1, 0, 10), EBADF);
    close(first);
    close(second);
}

TEST_F(FileUtilsTest, BrowseDirectoryAsksTheHostAndDropsTheTrailingSlash) {
    std::string folder = dir.Path();
    host.ChooseNextDirectory(dir / "chosen/");
    EXPECT_TRUE(BrowseDirectory(folder, "Выберите папку", 0));
    EXPECT_EQ(folder, dir / "chosen");
    host.CancelNextDirectory();
    EXPECT_FALSE(BrowseDirectory(folder, "Выберите папку", 0));
    EXPECT_EQ(folder, dir / "chosen");
    ASSERT_EQ(host.DirectoryRequests().size(), 2u);
    EXPECT_EQ(host.DirectoryRequests()[0].caption, "Выберите папку");
    EXPECT_EQ(host.DirectoryRequests()[0].directory, dir.Path());

    std::string computer = "keep";
    EXPECT_FALSE(BrowseComputer(computer, "Компьютер", 0));
    EXPECT_EQ(computer, "keep");
}

} // namespace
