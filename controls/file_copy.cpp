// Copying, moving and deleting files, and clearing folders.
#include <atomic>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/file_utils.h"
#include "kitbase/progress.h"

namespace {

constexpr size_t kBlockSize = 8192;

std::string FileNameOf(const std::string& path) {
    const std::string trimmed = RemoveBackSlash(path);
    const size_t slash = trimmed.find_last_of('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) return true;
        const bool closed = close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

// The progress control runs over the file size, counted in steps that fit its integer range.
class CopyProgress {
public:
    CopyProgress(TControl* control, int64_t size) : control_(control), divisor_(size / INT_MAX + 1) {
        SetProgressMin(control_, 0);
        SetProgressMax(control_, static_cast<int>(size / divisor_));
        SetProgressValue(control_, 0);
    }
    ~CopyProgress() { SetProgressValue(control_, 0); }
    void Copied(int64_t bytes) { SetProgressValue(control_, static_cast<int>(bytes / divisor_)); }

private:
    TControl* control_;
    int64_t divisor_;
};

// The copy under construction: a hidden file beside the destination, removed unless committed. It is
// created with the permission bits it will have (less the umask), so it is never more open than that.
class PartialFile {
public:
    PartialFile(const std::string& destination, mode_t mode)
        : fd_(CreateBeside(destination, mode, path_)), created_(fd_.Get() >= 0) {}
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;
    ~PartialFile() {
        if (created_ && !committed_) {
            fd_.Close();
            unlink(path_.c_str());
        }
    }
    int Fd() const { return fd_.Get(); }
    // exactMode: permission bits to set as they are, without the umask.
    bool Commit(const std::string& destination, const struct stat& source, std::optional<mode_t> exactMode) {
        const timespec times[2] = {source.st_atim, source.st_mtim};
        if (exactMode && fchmod(fd_.Get(), *exactMode) != 0) return false;
        if (fsync(fd_.Get()) != 0 || futimens(fd_.Get(), times) != 0 || !fd_.Close()) return false;
        if (rename(path_.c_str(), destination.c_str()) != 0) return false;
        committed_ = true;
        return true;
    }

private:
    static int CreateBeside(const std::string& destination, mode_t mode, std::string& path) {
        static std::atomic<unsigned> counter{0};
        const std::string stem = FolderOf(destination) + "/." + FileNameOf(destination) + ".part-" +
                                 std::to_string(getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            path = stem + std::to_string(counter++);
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
            if (fd >= 0 || errno != EEXIST) return fd;
        }
        return -1;
    }

    std::string path_; // before fd_: filled while fd_ is made
    Descriptor fd_;
    bool created_;
    bool committed_ = false;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

ssize_t ReadSome(int fd, char* buffer, size_t size) {
    ssize_t got;
    do
        got = read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}

// Opens the source for reading; a shared lock keeps writers that lock the file out during the copy.
int OpenSource(const std::string& source, struct stat& info) {
    const int fd = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct flock whole {};
    whole.l_type = F_RDLCK;
    whole.l_whence = SEEK_SET;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// A destination that may be replaced: not the source itself, and read-only only when allowed. Returns
// the permission bits of the file that is there (write permission included once it is granted).
std::optional<mode_t> CheckDestination(const std::string& destination, const struct stat& source,
                                       bool overwriteReadOnly) {
    struct stat existing {};
    if (stat(destination.c_str(), &existing) != 0) return std::nullopt;
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino)
        throw EFCreateError("Cannot create file " + destination);
    const mode_t mode = existing.st_mode & 07777;
    if (mode & S_IWUSR) return mode;
    if (!overwriteReadOnly || chmod(destination.c_str(), mode | S_IWUSR) != 0)
        throw EFCreateError("Cannot create file " + destination);
    return mode | S_IWUSR;
}

// A destination that is a symbolic link is written through to the file it names, as cp does; a link
// that names no file is refused, so that nothing is created where the link happens to point.
std::string ThroughLinks(const std::string& destination) {
    struct stat info {};
    if (lstat(destination.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return destination;
    char resolved[PATH_MAX];
    if (!realpath(destination.c_str(), resolved)) throw EFCreateError("Cannot create file " + destination);
    return resolved;
}

// How a copy treats what it replaces. A copy follows a link destination and keeps an existing file's
// permission bits; a new file gets the source's less the umask, as cp gives them. A move's copy puts the
// source's bits as they were in place of whatever was there, as a rename does.
struct CopyRules {
    bool followLinks = true;
    std::optional<mode_t> exactMode;
};

void CopyWithRules(const std::string& source, const std::string& destination, bool overwriteReadOnly,
                   TControl* progress, const CopyRules& rules);

void CopyBlocks(int from, int to, CopyProgress& progress) {
    char buffer[kBlockSize];
    int64_t copied = 0;
    for (;;) {
        const ssize_t got = ReadSome(from, buffer, sizeof buffer);
        if (got < 0) throw EReadError("Stream read error");
        if (got == 0) return;
        if (!WriteAll(to, buffer, static_cast<size_t>(got))) throw EWriteError("Stream write error");
        copied += got;
        progress.Copied(copied);
    }
}

bool IsRootFolder(const std::string& folder) {
    char resolved[PATH_MAX];
    return realpath(folder.c_str(), resolved) && std::string(resolved) == "/";
}

bool RemoveEntry(int folderFd, const char* name);

// Deletes every entry of an open folder; the names are read first, then deleted.
bool ClearEntries(int folderFd) {
    const int scanFd = dup(folderFd);
    DIR* scan = scanFd >= 0 ? fdopendir(scanFd) : nullptr;
    if (!scan) {
        if (scanFd >= 0) close(scanFd);
        return false;
    }
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = readdir(scan)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    const bool scanned = errno == 0;
    closedir(scan);
    bool cleared = scanned;
    for (const std::string& name : names)
        cleared = RemoveEntry(folderFd, name.c_str()) && cleared;
    return cleared;
}

// A folder is opened without following links and cleared through its descriptor, so nothing outside
// it can be reached; a link is deleted itself.
bool RemoveEntry(int folderFd, const char* name) {
    struct stat info {};
    if (fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (!S_ISDIR(info.st_mode)) return unlinkat(folderFd, name, 0) == 0;
    Descriptor sub(openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (sub.Get() < 0) return false;
    // A folder without write permission (read-only) gets it, so that its entries can go.
    if (!(info.st_mode & S_IWUSR) && fchmod(sub.Get(), info.st_mode | S_IWUSR) != 0) return false;
    const bool cleared = ClearEntries(sub.Get());
    sub.Close();
    return cleared && unlinkat(folderFd, name, AT_REMOVEDIR) == 0;
}

bool MatchesMask(const std::string& pattern, const std::string& name) {
    return pattern == "*.*" || fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

} // namespace

void CopyFile(const std::string& source, const std::string& destination, TControl* progress) {
    CopyFileEx(source, destination, false, false, progress);
}

void CopyFileEx(const std::string& source, const std::string& destination, bool overwriteReadOnly,
                bool /*useShell*/, TControl* progress) {
    CopyWithRules(source, destination, overwriteReadOnly, progress, CopyRules{});
}

namespace {

void CopyWithRules(const std::string& source, const std::string& destination, bool overwriteReadOnly,
                   TControl* progress, const CopyRules& rules) {
    std::string target = DirExists(destination) ? NormalDir(destination) + FileNameOf(source) : destination;
    if (rules.followLinks) target = ThroughLinks(target);
    struct stat sourceInfo {};
    Descriptor from(OpenSource(source, sourceInfo));
    if (from.Get() < 0) throw EFOpenError("Cannot open file " + source);
    CopyProgress steps(progress, sourceInfo.st_size);
    ForceDirectories(FolderOf(target));
    const std::optional<mode_t> existing = CheckDestination(target, sourceInfo, overwriteReadOnly);
    const std::optional<mode_t> exact = rules.exactMode ? rules.exactMode : existing;
    PartialFile to(target, exact.value_or(sourceInfo.st_mode & 0777));
    if (to.Fd() < 0) throw EFCreateError("Cannot create file " + target);
    CopyBlocks(from.Get(), to.Fd(), steps);
    if (!to.Commit(target, sourceInfo, exact)) throw EWriteError("Stream write error");
}

} // namespace

void MoveFile(const std::string& source, const std::string& destination) {
    std::error_code error;
    const std::string expanded = std::filesystem::absolute(destination, error).string();
    if (!error && rename(source.c_str(), expanded.c_str()) == 0) return;
    struct stat info {};
    if (lstat(source.c_str(), &info) != 0) throw EFOpenError("Cannot open file " + source);
    if (!(info.st_mode & S_IWUSR)) chmod(source.c_str(), info.st_mode | S_IWUSR);
    CopyWithRules(source, destination, false, nullptr, CopyRules{false, info.st_mode & 07777});
    if (unlink(source.c_str()) != 0) throw EStreamError("Cannot delete file " + source);
}

void MoveFileEx(const std::string& source, const std::string& destination, bool /*useShell*/) {
    MoveFile(source, destination);
}

bool DeleteFiles(const std::string& mask) {
    const bool hasFolder = mask.find('/') != std::string::npos;
    const std::string folder = hasFolder ? FolderOf(mask) : ".";
    const std::string pattern = hasFolder ? mask.substr(mask.find_last_of('/') + 1) : mask;
    DIR* scan = opendir(folder.c_str());
    if (!scan) return errno == ENOENT;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(scan)) {
        const std::string name = entry->d_name;
        if (!name.starts_with('.') && MatchesMask(pattern, name)) names.push_back(name);
    }
    closedir(scan);
    for (const std::string& name : names) {
        const std::string path = NormalDir(folder) + name;
        if (DirExists(path)) continue; // folders, and links to folders, stay
        if (unlink(path.c_str()) != 0) return false;
    }
    return true;
}

bool DeleteFilesEx(const std::vector<std::string>& masks) {
    for (const std::string& mask : masks)
        if (!DeleteFiles(mask)) return false;
    return true;
}

bool ClearDir(const std::string& folder, bool deleteFolder) {
    const std::string path = RemoveBackSlash(folder);
    Descriptor fd(path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    const bool cleared = ClearEntries(fd.Get());
    fd.Close();
    if (!deleteFolder || !cleared || IsRootFolder(path)) return cleared;
    return rmdir(path.c_str()) == 0;
}
