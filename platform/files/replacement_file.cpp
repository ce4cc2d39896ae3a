#include "platform/files/replacement_file.h"

#include <QSaveFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What stands at the path: nothing, a plain file (through any links), or something not to replace.
enum class Existing { None, PlainFile, Refused };

Existing Inspect(const std::string& path, struct stat& file) {
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0) return Existing::None;
    if (::stat(path.c_str(), &file) != 0) return Existing::Refused; // a link to no file
    return S_ISREG(file.st_mode) ? Existing::PlainFile : Existing::Refused;
}

// The replacement keeps the owner and group of the file, as far as this user may give them.
void KeepOwner(int fd, const struct stat& file) {
    if (::fchown(fd, file.st_uid, file.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), file.st_gid);
}

} // namespace

ReplacementFile::ReplacementFile(std::string path) : path_(std::move(path)) {}

ReplacementFile::~ReplacementFile() = default;

bool ReplacementFile::Open() {
    Cancel();
    failed_ = false;
    written_ = 0;
    struct stat existing {};
    const Existing found = Inspect(path_, existing);
    if (found == Existing::Refused) return false;
    // QSaveFile follows a link to its file, keeps that file's permission bits and writes to an
    // unnamed temporary in its folder; without the direct-write fallback it never writes in place.
    file_ = std::make_unique<QSaveFile>(QString::fromStdString(path_));
    if (!file_->open(QIODevice::WriteOnly)) {
        file_.reset();
        return false;
    }
    if (found == Existing::PlainFile) KeepOwner(file_->handle(), existing);
    return true;
}

bool ReplacementFile::Write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    const auto size = static_cast<qint64>(bytes.size());
    failed_ = file_->write(bytes.data(), size) != size || !file_->flush();
    if (!failed_) written_ += size;
    return !failed_;
}

bool ReplacementFile::Commit() {
    if (!file_ || failed_) {
        Cancel();
        return false;
    }
    if (file_->commit()) {
        file_.reset();
        return true;
    }
    Cancel();
    return false;
}

// A QSaveFile closed without its commit removes its temporary.
void ReplacementFile::Cancel() {
    if (!file_) return;
    file_.reset();
    written_ = 0;
}

int ReplacementFile::Handle() const {
    return file_ ? file_->handle() : -1;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    ReplacementFile file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}
