#include "dialogs/setup/logo_bits.h"

#include <QImage>

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
} // namespace

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
