#pragma once
// A picture as the register's logo: one bit a pixel (1 prints: any colour but pure white), rows from
// the top, each row starting on a byte boundary, the bytes cut into packets of 24 and written as 48
// upper-case hexadecimal characters; the last packet is filled with "0".
#include <string>
#include <vector>

class QImage;

inline constexpr int LogoPacketBytes = 24;

// The packets of the width x height area from the picture's top left corner. Pixels outside the
// picture print. width and height must be positive.
std::vector<std::string> LogoPackets(const QImage& picture, int width, int height);
