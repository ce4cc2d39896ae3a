#pragma once
// The acquirer's link-parameter file: eight lines (the DHCP flag, then the seven values of the
// acquirer dialog's edits in order), UTF-8 or CP1251, lines ending with LF or CR LF.
#include <optional>
#include <string>
#include <vector>

inline constexpr int LinkLineChars = 28; // what a line of the file may hold besides its line end

// The eight lines of a link-parameter file as they go into the acquirer dialog; nothing, with the
// reason in `problem`, when the file cannot be read, has fewer than eight lines, or a line is longer
// than its field can take.
std::optional<std::vector<std::string>> ReadLinkParamsFile(const std::string& path, std::string& problem);
// The same for the file's bytes.
std::optional<std::vector<std::string>> LinkParamsOfBytes(const std::string& bytes, std::string& problem);
