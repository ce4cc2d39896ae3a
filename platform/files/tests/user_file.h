#pragma once
// The files a user may already have where the program writes one, and what cp would leave of them:
// shared by the tests of every window that writes a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Writes beyond this many bytes fail for the whole process while the limit lives, as on a full disk,
// for the superuser too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*handler_)(int) = SIG_DFL;
};

// What the user has at the name: a private file (0600), or a symbolic link "name" -> "name.own" to a
// private file. Run as the superuser, the file belongs to another user, whom cp would keep as owner.
enum class UserFile { Private, Link };

inline const char* NameOf(UserFile kind) {
    return kind == UserFile::Private ? "an existing 0600 file" : "a symbolic link to a 0600 file";
}

inline std::string FileBytesAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Places the user's file with these bytes; the path to write to.
inline std::string PlaceUserFile(const std::filesystem::path& folder, const std::string& name, UserFile kind,
                                 const std::string& bytes) {
    const std::string path = (folder / name).string();
    const std::string own = kind == UserFile::Link ? path + ".own" : path;
    std::filesystem::remove(path);
    std::filesystem::remove(own);
    std::ofstream(own, std::ios::binary) << bytes;
    ::chmod(own.c_str(), 0600);
    if (::geteuid() == 0) (void)::chown(own.c_str(), 65534, 65534);
    if (kind == UserFile::Link) std::filesystem::create_symlink(name + ".own", path);
    return path;
}

// What stands at the name: a link (to where) or a file, and the mode, owner and bytes of the file.
struct UserFileState {
    std::string linkTarget; // empty for no link
    mode_t mode = 0;
    uid_t owner = 0;
    std::string bytes;
    bool operator==(const UserFileState&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const UserFileState& state) {
    return out << (state.linkTarget.empty() ? "file" : "link to " + state.linkTarget) << ", mode " << std::oct
               << (state.mode & 07777) << std::dec << ", owner " << state.owner << ", " << state.bytes.size()
               << " bytes";
}

inline UserFileState StateOf(const std::string& path) {
    UserFileState state;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error))
        state.linkTarget = std::filesystem::read_symlink(path).string();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        state.mode = info.st_mode;
        state.owner = info.st_uid;
    }
    state.bytes = FileBytesAt(path);
    return state;
}

// What cp leaves when it copies a file of these bytes over the user's file of that kind.
inline UserFileState CpLeaves(UserFile kind, const std::string& oldBytes, const std::string& newBytes) {
    char pattern[] = "/tmp/kaltor-cp-XXXXXX";
    const std::filesystem::path folder = ::mkdtemp(pattern);
    const std::string target = PlaceUserFile(folder, "target", kind, oldBytes);
    std::ofstream((folder / "source").string(), std::ios::binary) << newBytes;
    const int status = std::system(("cp " + (folder / "source").string() + " " + target).c_str());
    UserFileState state = StateOf(target);
    if (status != 0) state.bytes = "cp failed";
    if (!state.linkTarget.empty()) state.linkTarget.replace(0, std::string("target").size(), "");
    std::filesystem::remove_all(folder);
    return state;
}

// The state of the user's file, with the link's target given relative to the name as CpLeaves gives it.
inline UserFileState UserFileAt(const std::string& path) {
    UserFileState state = StateOf(path);
    const std::string name = std::filesystem::path(path).filename().string();
    if (state.linkTarget.starts_with(name)) state.linkTarget.erase(0, name.size());
    return state;
}

// The names in a folder, to see that no temporary was left behind.
inline std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The user's file placed for one case of a writer's test, and the check of what the writer left.
class UserFileCase {
public:
    UserFileCase(const std::filesystem::path& folder, const std::string& name, UserFile kind, std::string old)
        : folder_(folder), kind_(kind), old_(std::move(old)), path_(PlaceUserFile(folder, name, kind, old_)),
          before_(UserFileAt(path_)), names_(NamesIn(folder)) {}

    const std::string& Path() const { return path_; }
    // The written bytes as cp leaves them over the user's file, or (nothing written) the file as it
    // was; no name in the folder came or went.
    void ExpectLeft(const std::optional<std::string>& written) const {
        EXPECT_EQ(UserFileAt(path_), written ? CpLeaves(kind_, old_, *written) : before_);
        EXPECT_EQ(NamesIn(folder_), names_) << "no temporary is left behind";
    }

private:
    std::filesystem::path folder_;
    UserFile kind_;
    std::string old_, path_;
    UserFileState before_;
    std::vector<std::string> names_;
};
