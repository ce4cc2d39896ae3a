#pragma once
// File and folder functions of the controls: paths, existence and attribute tests, copying and moving
// with an optional progress control, deleting, clearing folders, byte-range locks, and the folder
// browser (the UI host's folder dialog).
//
// Paths use "/" between folders. Notions of the Windows file system are mapped as follows:
// - read-only: the owner has no write permission; hidden: the name starts with "."; directory and
//   symbolic link as the file system says; system file, volume label and archive are never set;
// - long and short names are the same: every name is its own short name, so the conversions give the
//   name back (an empty text when nothing is found);
// - there are no drive letters: the root folder "/" plays the drive root;
// - the Windows and system folders, shell links and the network-neighbourhood browser do not exist:
//   their functions give their failure value (an empty text, false);
// - locks are open-file-description locks (fcntl), held by a descriptor as a Windows handle holds them,
//   so two descriptors of one process exclude each other.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/text.h"

class TControl;

// The class library's stream errors, with its messages.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError { // "Cannot open file %s"
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError { // "Cannot create file %s"
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError { // "Stream read error"
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError { // "Stream write error"
public:
    using EStreamError::EStreamError;
};

// File attribute bits of HasAttr.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faSymLink = 0x40;

// ---- The folder browser ------------------------------------------------------------------------------
// Asks for a folder, starting at folder; on OK folder becomes the chosen path without a trailing "/".
bool BrowseDirectory(std::string& folder, const std::string& prompt, int helpContext);
// There is no network neighbourhood to browse: always false, name unchanged.
bool BrowseComputer(std::string& name, const std::string& prompt, int helpContext);

// ---- Paths -------------------------------------------------------------------------------------------
// Empty stays empty; a path ending in "/" stays; anything else gets "/".
std::string NormalDir(const std::string& path);
// One trailing "/" removed, except from the root "/" (and any one-character path).
std::string RemoveBackSlash(const std::string& path);
bool DirExists(const std::string& path);
// Creates every missing folder of the path; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
// False for an empty name and for a name with any of < > " [ ] |.
bool ValidFileName(const std::string& name);
// The name of the entry found for the path (the path's last part), an empty text when there is none.
std::string ShortToLongFileName(const std::string& name);
std::string LongToShortFileName(const std::string& name);
// Every name is its own long and short name: the path comes back as it is.
std::string ShortToLongPath(const std::string& path);
std::string LongToShortPath(const std::string& path);
// The folder for temporary files ($TMPDIR, else /tmp) with a trailing "/".
std::string GetTempDir();
// No Windows or system folder on Linux: empty texts.
std::string GetWindowsDir();
std::string GetSystemDir();

// ---- Copy, move, delete ------------------------------------------------------------------------------
// Copies a file; a destination that is a folder receives the source's file name. The progress control
// (any control the progress registry supports, or none) runs from 0 to the file size and is reset to 0.
// The copy is written the way cp overwrites a file (platform/files): to a temporary beside the
// destination that takes its place only when complete, so a failed copy leaves the destination as it
// was. Copying a file onto itself changes nothing and raises EFCreateError. A read-only destination
// is replaced only with overwriteReadOnly. As with cp, a new file gets the source's permission bits
// less the umask, an existing destination keeps its own and its owner, and a destination that is a
// symbolic link is written through to its file (a link to no file raises EFCreateError). There is no
// desktop shell to hand the copy to: useShell is ignored.
void CopyFile(const std::string& source, const std::string& destination, TControl* progress = nullptr);
void CopyFileEx(const std::string& source, const std::string& destination, bool overwriteReadOnly,
                bool useShell, TControl* progress = nullptr);
// Renames the file to the destination; when that fails (another file system, a folder as the
// destination) copies it and deletes the source; the copy then has the source's permission bits as
// they were and takes the destination's place, as the rename would have (a link there is replaced,
// not written through, as mv does). Raises the copy's errors; a missing source raises EFOpenError.
void MoveFile(const std::string& source, const std::string& destination);
void MoveFileEx(const std::string& source, const std::string& destination, bool useShell);
// Deletes every plain file matching the mask ("folder/*.txt"; "*.*" matches every name), not folders
// and not names starting with "."; a symbolic link to a file is deleted itself, one to a folder stays.
// Stops with false at the first failure.
bool DeleteFiles(const std::string& mask);
bool DeleteFilesEx(const std::vector<std::string>& masks);
// Deletes everything in the folder (and the folder itself with deleteFolder, never "/"). Symbolic links
// inside are deleted themselves, never followed. A folder given as a symbolic link is not cleared.
// True when every step succeeded.
bool ClearDir(const std::string& folder, bool deleteFolder);

// ---- Information ---------------------------------------------------------------------------------------
// The size in bytes; -1 for a folder or a missing file.
int64_t GetFileSize(const std::string& name);
// The modification time as a date; 0 (the null date) when the file is missing.
TDateTime FileDateTime(const std::string& name);
// All the given attribute bits are set; false when the attributes cannot be read.
bool HasAttr(const std::string& name, int attributes);
// The attribute bits of a name, -1 when it cannot be read.
int FileGetAttr(const std::string& name);

// ---- Locks ---------------------------------------------------------------------------------------------
// Locks (unlocks) length bytes from offset of an open descriptor, without waiting: 0 on success, else the
// system's error code (EAGAIN when another descriptor holds the range; EINVAL for a negative offset or a
// length below 1).
int FileLock(int handle, int64_t offset, int64_t length);
int FileUnlock(int handle, int64_t offset, int64_t length);

// ---- Shell links ------------------------------------------------------------------------------------------
// There are no shell links: nothing is made or deleted, and the result is false.
bool CreateFileLink(const std::string& target, const std::string& linkName, int specialFolder);
bool DeleteFileLink(const std::string& linkName, int specialFolder);
