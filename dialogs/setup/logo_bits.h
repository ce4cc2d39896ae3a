#pragma once
// A picture as the register's logo: one bit a pixel (1 prints: any colour but pure white), rows from
// the top, each row starting on a byte boundary, the bytes cut into packets of 24 and written as 48
// upper-case hexadecimal characters; the last packet is filled with "0".
#include <optional>
#include <string>
#include <vector>

class QImage;

inline constexpr int LogoPacketBytes = 24;

// The packets of the width x height area from the picture's top left corner. Pixels outside the
// picture print. width and height must be positive.
std::vector<std::string> LogoPackets(const QImage& picture, int width, int height);

// The picture of a ".BMP" file; a null image when the file is not a BMP picture whole, such as one
// whose pixel data is shorter than its headers say.
QImage LoadBmpPicture(const std::string& path);

struct LogoSize {
    int Width = 0, Height = 0;
};
// The largest logo the register takes, from the answer fields of 80h: its width in pixels and its size
// in bytes (height = bytes x 8 / width). A width of 0 or none leaves the height 0 (unknown). Nothing
// when the fields are not decimal numbers of that kind or the size in bits does not fit 32 bits.
std::optional<LogoSize> LargestLogo(const std::string& widthField, const std::string& bytesField);
