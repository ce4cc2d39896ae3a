// The register's command set: which codes it has at all. A code outside it is answered with the
// register's "invalid command code" error, as a real register answers a code it does not have.
#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

struct CodeRange {
    uint8_t First, Last;
};

// Settings, articles, logo, passwords and operators; fiscal numbers and taxes; receipts and
// payments; diagnostics, display and counters; reports and copies; network, read-out and flash.
constexpr CodeRange kCommandSet[] = {
    {0x20, 0x29}, {0x2B, 0x31}, {0x34, 0x36}, {0x3B, 0x3B}, {0x40, 0x4C}, {0x60, 0x6F},
    {0x73, 0x78}, {0x80, 0x84}, {0x88, 0x89}, {0xA0, 0xA6}, {0xD0, 0xD1}, {0xE7, 0xE8},
    {0xEA, 0xEB}, {0xEE, 0xEE}, {0xF0, 0xF3}, {0xFA, 0xFC},
};

} // namespace

bool RegisterHasCommand(uint8_t code) {
    for (const CodeRange& range : kCommandSet)
        if (code >= range.First && code <= range.Last) return true;
    return false;
}

} // namespace regsim
