#include "platform/profile/file_io.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int Get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool ReadAll(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        out.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string ResolvedTarget(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    const auto target = fs::canonical(path, error);
    return error ? path : target.string();
}

// Temporaries are named after their file: "fpinit.ini.tmp<process>-<count>".
std::string TemporaryPrefix(const std::string& target) {
    return fs::path(target).filename().string() + ".tmp";
}

std::string TemporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const size_t dash = rest.find('-');
    const auto digits = [](const std::string& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    };
    return dash != std::string::npos && digits(rest.substr(0, dash)) && digits(rest.substr(dash + 1));
}

// Every writer makes its temporary while it holds the lock, so under the lock any temporary of the
// file belongs to a writer that died.
void RemoveStaleTemporaries(const std::string& target) {
    const fs::path folder = fs::path(target).parent_path();
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, error))
        if (IsTemporaryOf(entry.path().filename().string(), prefix)) fs::remove(entry.path(), error);
}

// The new name must survive a crash too, so the folder's entry is flushed as well (best effort).
void SyncFolderOf(const std::string& target) {
    const auto folder = fs::path(target).parent_path();
    FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

// The file opened and locked. A writer that waited for the lock may hold a file that the one before
// it has already replaced; it then opens the name again.
bool OpenLocked(const std::string& target, FileDescriptor& locked, struct stat& info) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        FileDescriptor fd(::open(target.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
        if (fd.Get() < 0) return false;
        int locking;
        while ((locking = ::flock(fd.Get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locking != 0 || ::fstat(fd.Get(), &info) != 0) return false;
        struct stat named {};
        if (::stat(target.c_str(), &named) == 0 && named.st_dev == info.st_dev &&
            named.st_ino == info.st_ino) {
            locked = std::move(fd);
            return true;
        }
    }
    return false;
}

// The read-only mark of the platform is a mode without any write permission.
bool MayWrite(const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The replacement keeps the owner (as far as this user may give it) and the mode of the file.
void KeepOwnerAndMode(int fd, const struct stat& original) {
    if (::fchown(fd, original.st_uid, original.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), original.st_gid);
    ::fchmod(fd, original.st_mode & 07777);
}

enum class Replaced { Yes, NoTemporary, Failed };

Replaced ReplaceThroughTemporary(const std::string& target, const struct stat& original,
                                 const std::string& bytes) {
    const std::string temporary = TemporaryNameFor(target);
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.Get() < 0) return errno == EACCES || errno == EPERM ? Replaced::NoTemporary : Replaced::Failed;
    KeepOwnerAndMode(fd.Get(), original);
    const bool replaced = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0 && fd.Close() &&
                          ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!replaced) {
        ::unlink(temporary.c_str());
        return Replaced::Failed;
    }
    SyncFolderOf(target);
    return Replaced::Yes;
}

// In a folder where no temporary can be made, a writable file is rewritten where it is.
bool RewriteInPlace(int fd, const std::string& bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && ::ftruncate(fd, 0) == 0 && WriteAll(fd, bytes) &&
           ::fsync(fd) == 0;
}

} // namespace

FileContents ReadWholeFile(const std::string& path) {
    FileContents contents;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        contents.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        return contents;
    }
    struct stat info {};
    const bool regular = ::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode);
    contents.status = regular && ReadAll(fd.Get(), contents.bytes) ? ReadStatus::Read : ReadStatus::Failed;
    return contents;
}

bool RewriteFileLocked(const std::string& path, const FileChange& change) {
    const std::string target = ResolvedTarget(path);
    const bool existed = ::access(target.c_str(), F_OK) == 0;
    FileDescriptor fd;
    struct stat info {};
    if (!OpenLocked(target, fd, info) || !MayWrite(info)) return false;
    std::string bytes;
    std::optional<std::string> changed;
    if (ReadAll(fd.Get(), bytes)) changed = change(bytes);
    if (!changed) {
        // A file made only to be locked goes again, so that a refused write leaves nothing behind.
        if (!existed && info.st_size == 0) ::unlink(target.c_str());
        return false;
    }
    RemoveStaleTemporaries(target);
    switch (ReplaceThroughTemporary(target, info, *changed)) {
    case Replaced::Yes:
        return true;
    case Replaced::NoTemporary:
        return RewriteInPlace(fd.Get(), *changed);
    default:
        return false;
    }
}
