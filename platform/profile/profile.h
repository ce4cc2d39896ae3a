#pragma once
// Settings files in the private-profile format: "[section]" lines and "key=value" lines.
#include <string>

// The value of key in section, trimmed, one pair of surrounding quotes removed, cut to
// bufferSize - 1 characters; fallback when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& fallback, size_t bufferSize);
// The leading integer of the value (sign, 0x/0o/0b prefix); fallback when missing or empty.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key, int fallback);
// Changes one key in place, keeping every other line; atomic. False when the file cannot be written.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

bool FileExists(const std::string& path);
bool CreateEmptyFile(const std::string& path);
