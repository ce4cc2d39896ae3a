#include "dialogs/setup/logo_bits.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include <QImage>

#include "dialogs/setup/file_bytes.h"
#include "platform/text/text.h"

namespace {
bool Prints(const QImage& picture, int x, int y) {
    if (!picture.valid(x, y)) return true;
    return (picture.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
}

void AppendHex(std::string& text, unsigned byte) {
    static const char digits[] = "0123456789ABCDEF";
    text += digits[byte >> 4];
    text += digits[byte & 0x0F];
}

// A little-endian number of `size` bytes at `at`; the caller has checked the length.
uint32_t LittleEndian(const std::string& bytes, size_t at, size_t size) {
    uint32_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The file header, an information header (the short core one or a longer one) and as many bytes of
// pixels as the headers describe. Compressed pixels take the length the header gives for them.
bool WholeBmp(const std::string& bytes) {
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4 || bytes.compare(0, 2, "BM") != 0) return false;
    const uint64_t pixelsAt = LittleEndian(bytes, 10, 4), infoSize = LittleEndian(bytes, 14, 4);
    if (bytes.size() < kFileHeader + infoSize) return false;
    int64_t width = 0, height = 0;
    uint32_t bitsPerPixel = 0, compression = 0, compressedSize = 0;
    if (infoSize == 12) {
        width = LittleEndian(bytes, 18, 2), height = LittleEndian(bytes, 20, 2);
        bitsPerPixel = LittleEndian(bytes, 24, 2);
    } else if (infoSize >= 40) {
        width = static_cast<int32_t>(LittleEndian(bytes, 18, 4));
        height = static_cast<int32_t>(LittleEndian(bytes, 22, 4));
        bitsPerPixel = LittleEndian(bytes, 28, 2);
        compression = LittleEndian(bytes, 30, 4);
        compressedSize = LittleEndian(bytes, 34, 4);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || bitsPerPixel == 0) return false;
    constexpr uint32_t kPlain = 0, kBitFields = 3, kAlphaBitFields = 6;
    const bool plain = compression == kPlain || compression == kBitFields || compression == kAlphaBitFields;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint64_t pixelBytes = plain ? rowBytes * static_cast<uint64_t>(std::llabs(height)) : compressedSize;
    return pixelsAt + pixelBytes <= bytes.size();
}
} // namespace

QImage LoadBmpPicture(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes || !WholeBmp(*bytes)) return {};
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()),
                            "BMP");
}

std::optional<LogoSize> LargestLogo(const std::string& widthField, const std::string& bytesField) {
    const auto width = TryDecimalStrToInt(widthField.empty() ? "0" : widthField);
    const auto bytes = TryDecimalStrToInt(bytesField.empty() ? "0" : bytesField);
    if (!width || !bytes || *width < 0 || *bytes < 0 || *bytes > std::numeric_limits<int32_t>::max() / 8)
        return std::nullopt;
    if (*width == 0) return LogoSize{};
    return LogoSize{*width, *bytes * 8 / *width};
}

std::vector<std::string> LogoPackets(const QImage& picture, int width, int height) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<std::string> packets;
    std::string packet;
    auto addByte = [&](unsigned byte) {
        AppendHex(packet, byte);
        if (packet.size() == 2 * LogoPacketBytes) packets.push_back(std::move(packet)), packet.clear();
    };
    for (int y = 0; y < height; ++y) {
        unsigned byte = 0;
        for (int x = 0; x < width; ++x) {
            if (Prints(rgb, x, y)) byte |= 0x80u >> (x % 8);
            if (x % 8 == 7 || x == width - 1) addByte(byte), byte = 0;
        }
    }
    if (!packet.empty()) packets.push_back(packet + std::string(2 * LogoPacketBytes - packet.size(), '0'));
    return packets;
}
