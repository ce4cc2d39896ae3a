#include "controls/file_utils.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/forms/ui_host.h"

namespace fs = std::filesystem;

namespace {

std::string LastPart(const std::string& path) {
    const std::string trimmed = RemoveBackSlash(path);
    const size_t slash = trimmed.find_last_of('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

TDateTime ToDateTime(time_t seconds) {
    tm parts{};
    localtime_r(&seconds, &parts);
    return EncodeDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday) +
           EncodeTime(parts.tm_hour, parts.tm_min, parts.tm_sec, 0);
}

int RangeLock(int handle, int64_t offset, int64_t length, short type) {
    if (offset < 0 || length < 1) return EINVAL;
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = offset;
    range.l_len = length;
    // Open-file-description locks belong to the descriptor, so a second descriptor of this process
    // is refused as another handle would be.
    return fcntl(handle, F_OFD_SETLK, &range) == 0 ? 0 : errno;
}

} // namespace

bool BrowseDirectory(std::string& folder, const std::string& prompt, int /*helpContext*/) {
    DirectoryRequest request;
    request.caption = prompt;
    request.directory = folder;
    const auto chosen = CurrentUiHost().ChooseDirectory(request);
    if (!chosen) return false;
    folder = RemoveBackSlash(*chosen);
    return true;
}

bool BrowseComputer(std::string& /*name*/, const std::string& /*prompt*/, int /*helpContext*/) {
    return false;
}

std::string NormalDir(const std::string& path) {
    if (path.empty() || path.back() == '/') return path;
    return path + "/";
}

std::string RemoveBackSlash(const std::string& path) {
    if (path.size() > 1 && path.back() == '/') return path.substr(0, path.size() - 1);
    return path;
}

bool DirExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& path) {
    const std::string folder = RemoveBackSlash(path);
    if (folder.empty()) return false;
    if (DirExists(folder)) return true;
    std::error_code error;
    fs::create_directories(folder, error);
    return DirExists(folder);
}

bool ValidFileName(const std::string& name) {
    return !name.empty() && name.find_first_of("<>\"[]|") == std::string::npos;
}

std::string ShortToLongFileName(const std::string& name) {
    struct stat info {};
    if (name.empty() || lstat(name.c_str(), &info) != 0) return "";
    return LastPart(name);
}

std::string LongToShortFileName(const std::string& name) {
    return ShortToLongFileName(name);
}

std::string ShortToLongPath(const std::string& path) {
    return path;
}

std::string LongToShortPath(const std::string& path) {
    return path;
}

std::string GetTempDir() {
    const char* tmp = std::getenv("TMPDIR");
    return NormalDir(tmp && *tmp ? tmp : "/tmp");
}

std::string GetWindowsDir() {
    return "";
}

std::string GetSystemDir() {
    return "";
}

int64_t GetFileSize(const std::string& name) {
    struct stat info {};
    if (name.empty() || stat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return -1;
    return info.st_size;
}

TDateTime FileDateTime(const std::string& name) {
    struct stat info {};
    if (name.empty() || stat(name.c_str(), &info) != 0) return 0;
    return ToDateTime(info.st_mtime);
}

int FileGetAttr(const std::string& name) {
    struct stat link {};
    if (name.empty() || lstat(name.c_str(), &link) != 0) return -1;
    struct stat target = link;
    const bool isLink = S_ISLNK(link.st_mode);
    if (isLink && stat(name.c_str(), &target) != 0) target = link; // a dangling link
    int attributes = 0;
    if (!(target.st_mode & S_IWUSR)) attributes |= faReadOnly;
    if (LastPart(name).starts_with('.')) attributes |= faHidden;
    if (S_ISDIR(target.st_mode)) attributes |= faDirectory;
    if (isLink) attributes |= faSymLink;
    return attributes;
}

bool HasAttr(const std::string& name, int attributes) {
    const int found = FileGetAttr(name);
    return found >= 0 && (found & attributes) == attributes;
}

int FileLock(int handle, int64_t offset, int64_t length) {
    return RangeLock(handle, offset, length, F_WRLCK);
}

int FileUnlock(int handle, int64_t offset, int64_t length) {
    return RangeLock(handle, offset, length, F_UNLCK);
}

bool CreateFileLink(const std::string&, const std::string&, int) {
    return false;
}

bool DeleteFileLink(const std::string&, int) {
    return false;
}
