// Copying, moving and deleting files, and clearing folders.
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
#include "platform/files/replacement_file.h"

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

// A destination that may be replaced: not the source itself, and read-only only when allowed (it is
// then given write permission). True when a file is there.
bool CheckDestination(const std::string& destination, const struct stat& source, bool overwriteReadOnly) {
    struct stat existing {};
    if (stat(destination.c_str(), &existing) != 0) return false;
    if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino)
        throw EFCreateError("Cannot create file " + destination);
    const mode_t mode = existing.st_mode & 07777;
    if (mode & S_IWUSR) return true;
    if (!overwriteReadOnly || chmod(destination.c_str(), mode | S_IWUSR) != 0)
        throw EFCreateError("Cannot create file " + destination);
    return true;
}

// How a copy treats what it replaces. A copy is written the way cp overwrites a file (platform/files):
// through a link destination, keeping an existing file's permission bits; a new file gets the
// source's less the umask, as cp gives them. A move's copy takes the destination's name itself, with
// the source's bits as they were, as a rename does.
struct CopyRules {
    bool followLinks = true;
    std::optional<mode_t> exactMode;
};

mode_t Umask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

void CopyWithRules(const std::string& source, const std::string& destination, bool overwriteReadOnly,
                   TControl* progress, const CopyRules& rules);

void CopyBlocks(int from, ReplacementFile& to, CopyProgress& progress) {
    char buffer[kBlockSize];
    for (;;) {
        const ssize_t got = ReadSome(from, buffer, sizeof buffer);
        if (got < 0) throw EReadError("Stream read error");
        if (got == 0) return;
        if (!to.Write(std::string_view(buffer, static_cast<size_t>(got))))
            throw EWriteError("Stream write error");
        progress.Copied(to.Written());
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
    const std::string target =
        DirExists(destination) ? NormalDir(destination) + FileNameOf(source) : destination;
    struct stat sourceInfo {};
    Descriptor from(OpenSource(source, sourceInfo));
    if (from.Get() < 0) throw EFOpenError("Cannot open file " + source);
    CopyProgress steps(progress, sourceInfo.st_size);
    ForceDirectories(FolderOf(target));
    struct stat named {};
    if (!rules.followLinks && lstat(target.c_str(), &named) == 0 && S_ISLNK(named.st_mode))
        unlink(target.c_str());
    const bool existed = CheckDestination(target, sourceInfo, overwriteReadOnly);
    ReplacementFile to(target);
    if (!to.Open()) throw EFCreateError("Cannot create file " + target);
    const std::optional<mode_t> mode = rules.exactMode ? rules.exactMode
                                       : existed
                                           ? std::nullopt
                                           : std::optional<mode_t>(sourceInfo.st_mode & 0777 & ~Umask());
    if (mode && fchmod(to.Handle(), *mode) != 0) throw EFCreateError("Cannot create file " + target);
    CopyBlocks(from.Get(), to, steps);
    const timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    if (futimens(to.Handle(), times) != 0 || !to.Commit()) throw EWriteError("Stream write error");
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
