// Unescapes arbitrary bytes as a read-out packet's data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/setup/readout_packet.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}

std::string Escaped(const std::string& bytes) {
    std::string text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x20 || byte == '\\') {
            text += '\\';
            text += static_cast<char>(value + 0x40);
        } else {
            text += byte;
        }
    }
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto bytes = UnescapePacket(text);
    if (bytes) {
        Require(bytes->size() <= ReadoutPacketBytes && bytes->size() <= text.size());
    }
    // What the register escapes comes back as it was.
    if (text.size() <= ReadoutPacketBytes) Require(UnescapePacket(Escaped(text)) == text);
    return 0;
}
