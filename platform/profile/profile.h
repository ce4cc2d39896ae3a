#pragma once
// Settings files in the private-profile format: "[section]" lines and "key=value" lines.
#include <string>

// Sections and keys match without regard to ASCII case; the first matching section, and the first
// matching key in it, count. A file with a UTF-16 byte-order mark is read (and kept) as UTF-16; a file
// that is not valid UTF-8 is read (and kept) as CP1251.

// The value of key in section, trimmed, one pair of surrounding quotes removed, cut to
// bufferSize - 1 characters; fallback (without trailing blanks) when the path is empty or the file,
// section or key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& fallback, size_t bufferSize);
// The leading integer of the value (blanks, sign, a lower-case 0x/0o/0b prefix, digits up to the first
// other character; none gives 0, values beyond 32 bits wrap modulo 2^32); fallback when missing or empty.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key, int fallback);
// Changes one key in place, keeping every other line; a new key goes after the last key of its
// section, a new section at the end; a missing file is created. The file is replaced atomically under
// an advisory lock (file_io.h). False, with the file untouched, when it cannot be read or written
// (a file without write permission included), the path is empty, the file's encoding cannot hold the
// text, or a name or the value would read back as other lines (line breaks, "=" in the key, "]" in
// the section).
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// A file (not a folder) is there.
bool FileExists(const std::string& path);
// Creates the file empty when it is missing; an existing file is left as it is.
bool CreateEmptyFile(const std::string& path);
