// Reads arbitrary bytes as the logo's BMP file and packs an area of it as the logo upload does. The
// first two bytes choose the area (1 to 256 pixels each way).
#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dialogs/setup/logo_bits.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int width = data[0] + 1;
    const int height = data[1] + 1;
    const QImage picture = QImage::fromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size - 2)),
        "BMP");
    const std::vector<std::string> packets = LogoPackets(picture, width, height);
    const size_t bytes = static_cast<size_t>((width + 7) / 8) * static_cast<size_t>(height);
    Require(packets.size() == (bytes + LogoPacketBytes - 1) / LogoPacketBytes);
    for (const std::string& packet : packets)
        Require(packet.size() == 2 * LogoPacketBytes &&
                packet.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    return 0;
}
