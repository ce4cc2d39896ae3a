#pragma once
#include <optional>
#include <string>

// The whole content of a file the user chose, an empty file included; nothing when it cannot be opened
// or read.
std::optional<std::string> ReadFileBytes(const std::string& path);
