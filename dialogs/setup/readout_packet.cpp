#include "dialogs/setup/readout_packet.h"

std::optional<std::string> UnescapePacket(const std::string& cp1251) {
    std::string bytes;
    for (size_t i = 0; i < cp1251.size(); ++i) {
        char byte = cp1251[i];
        if (byte == '\\') {
            if (++i == cp1251.size()) return std::nullopt;
            byte = static_cast<char>(static_cast<unsigned char>(cp1251[i]) - 0x40);
        }
        if (bytes.size() == ReadoutPacketBytes) return std::nullopt;
        bytes += byte;
    }
    return bytes;
}
