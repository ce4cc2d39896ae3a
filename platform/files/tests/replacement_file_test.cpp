#include "platform/files/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files/tests/user_file.h"

namespace {

const std::string kOld = "the user's own contents";
const std::string kNew(5000, 'N');

class ReplacementFileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kaltor-replace-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

// Written whole, in pieces, or given up half-way: what is left of the user's file is what cp leaves,
// or the file as it was.
TEST_F(ReplacementFileTest, TheUserFileEndsAsCpLeavesItOrAsItWas) {
    enum class Way { Whole, InPieces, DiskFullHalfWay, Cancelled, Abandoned };
    const struct {
        const char* name;
        Way way;
        bool replaced;
    } cases[] = {
        {"whole", Way::Whole, true},
        {"in pieces", Way::InPieces, true},
        {"disk full half-way", Way::DiskFullHalfWay, false},
        {"cancelled half-way", Way::Cancelled, false},
        {"abandoned half-way", Way::Abandoned, false},
    };
    for (const UserFile kind : {UserFile::Private, UserFile::Link})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(NameOf(kind)) + ", " + c.name);
            const UserFileCase user(folder, "образ.bin", kind, kOld);
            {
                ReplacementFile file(user.Path());
                ASSERT_TRUE(file.Open());
                switch (c.way) {
                case Way::Whole:
                    EXPECT_TRUE(file.Write(kNew));
                    EXPECT_TRUE(file.Commit());
                    break;
                case Way::InPieces:
                    for (size_t at = 0; at < kNew.size(); at += 50)
                        EXPECT_TRUE(file.Write(std::string_view(kNew).substr(at, 50)));
                    EXPECT_EQ(file.Written(), static_cast<int64_t>(kNew.size()));
                    EXPECT_TRUE(file.Commit());
                    break;
                case Way::DiskFullHalfWay: {
                    EXPECT_TRUE(file.Write(kNew.substr(0, 1000)));
                    {
                        FileSizeLimit limit(2000);
                        EXPECT_FALSE(file.Write(kNew.substr(1000)));
                    }
                    EXPECT_FALSE(file.Write("more")) << "no write after a failed one";
                    EXPECT_FALSE(file.Commit());
                    break;
                }
                case Way::Cancelled:
                    EXPECT_TRUE(file.Write(kNew.substr(0, 1000)));
                    file.Cancel();
                    EXPECT_FALSE(file.Commit());
                    break;
                case Way::Abandoned:
                    EXPECT_TRUE(file.Write(kNew.substr(0, 1000)));
                    break;
                }
            }
            user.ExpectLeft(c.replaced ? std::optional(kNew) : std::nullopt);
        }
}

TEST_F(ReplacementFileTest, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(ReplaceFileContents((folder / "new.bin").string(), kNew));
    ::umask(mask);
    EXPECT_EQ(FileBytesAt((folder / "new.bin").string()), kNew);
    EXPECT_EQ(StateOf((folder / "new.bin").string()).mode & 07777, 0644u);
}

// A user's file named like a temporary ("<name>.part", "<name>.tmp") is nobody's temporary.
TEST_F(ReplacementFileTest, FilesNamedLikeTemporariesAreLeftAlone) {
    const std::string path = (folder / "image.bin").string();
    for (const char* suffix : {".part", ".tmp", ".new", "~"})
        PlaceUserFile(folder, std::string("image.bin") + suffix, UserFile::Private, kOld);
    for (const bool commit : {false, true}) {
        ReplacementFile file(path);
        ASSERT_TRUE(file.Open());
        file.Write(kNew);
        if (commit) {
            EXPECT_TRUE(file.Commit());
        }
    }
    for (const char* suffix : {".part", ".tmp", ".new", "~"})
        EXPECT_EQ(FileBytesAt(path + suffix), kOld) << suffix;
    EXPECT_EQ(NamesIn(folder).size(), 5u);
}

// What cannot be replaced as a file is refused before anything is written, and nothing is created.
TEST_F(ReplacementFileTest, WhatIsNoPlainFileIsRefused) {
    std::filesystem::create_directory(folder / "a folder");
    std::filesystem::create_symlink("nowhere", folder / "a link to no file");
    ::mkfifo((folder / "a pipe").c_str(), 0600);
    const struct {
        std::string path;
        const char* name;
    } cases[] = {
        {(folder / "a folder").string(), "a folder"},
        {(folder / "a link to no file").string(), "a link to no file"},
        {(folder / "a pipe").string(), "a named pipe"},
        {"/dev/null", "a device"},
        {(folder / "no folder/file.bin").string(), "a missing folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> names = NamesIn(folder);
        ReplacementFile file(c.path);
        EXPECT_FALSE(file.Open());
        EXPECT_FALSE(file.Write(kNew));
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(NamesIn(folder), names);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "nowhere"));
    EXPECT_TRUE(std::filesystem::exists("/dev/null"));
    EXPECT_FALSE(std::filesystem::is_regular_file("/dev/null"));
}

// A link may name its file through further links and another folder; the file is what changes.
TEST_F(ReplacementFileTest, ChainsOfLinksAreWrittenThroughToTheirFile) {
    std::filesystem::create_directory(folder / "elsewhere");
    const std::string own = PlaceUserFile(folder / "elsewhere", "data.bin", UserFile::Private, kOld);
    std::filesystem::create_symlink("elsewhere/data.bin", folder / "first");
    std::filesystem::create_symlink("first", folder / "second");
    EXPECT_TRUE(ReplaceFileContents((folder / "second").string(), kNew));
    EXPECT_EQ(std::filesystem::read_symlink(folder / "second"), "first");
    EXPECT_EQ(std::filesystem::read_symlink(folder / "first"), "elsewhere/data.bin");
    EXPECT_EQ(StateOf(own), CpLeaves(UserFile::Private, kOld, kNew));
    EXPECT_EQ(NamesIn(folder / "elsewhere"), std::vector<std::string>{"data.bin"});
}

} // namespace
