#pragma once
// The data of one read-out packet (E8h) as the register escapes it.
#include <cstddef>
#include <optional>
#include <string>

inline constexpr size_t ReadoutPacketBytes = 200;

// A packet's data as bytes: "\" and a character c stand for the byte c - 40h. Nothing when the
// text ends in a lone "\" or holds more than ReadoutPacketBytes bytes.
std::optional<std::string> UnescapePacket(const std::string& cp1251);
