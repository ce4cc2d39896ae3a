#pragma once
// What the simulated register keeps of its network settings (remote access and the acquirer link),
// its read-out sources and its modem.
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace regsim {

// Network values as they travel: addresses as eight hexadecimal digits, numbers low byte first.
struct NetworkSettings {
    std::string Dhcp = "0";
    std::string Ip = "C0A80164";
    std::string Mask = "FFFFFF00";
    std::string Gateway = "C0A80101";
    std::string Server = "0A000005"; // remote-access server, or the acquirer's host
    std::string Port = "901F";
    std::string Period = "3C00";
    std::string Retry = "1E00";
};

// A source of the buffered read-out (E7h, then E8h until a packet without data).
struct ReadoutState {
    // A packet carries at most this many characters once escaped, so its frame stays short.
    static constexpr size_t PacketChars = 200;
    using SourceKey = std::pair<int, int>; // E7h sub-function and number

    ReadoutState(); // a firmware image of 256 KB, three keys and document 1
    // 1 documents, 3 public keys, 5 the firmware (number 0).
    std::map<SourceKey, std::string> Sources;
    std::optional<SourceKey> Selected; // chosen by E7h; none before
    size_t Sent = 0;                   // bytes of the selected source sent so far
    int NextPacket = 0;
};

struct ModemState {
    std::string StateByte = "38"; // two hexadecimal digits
    std::string FirstUndelivered = "010124;1200";
    std::string Personalised = "150523;0930";
    // The report of the other modem family: number; three times DDMMYYhhmm; receipts not passed.
    std::string Report = "12345678;1505230930;0201241200;0101241200;3";
    std::string LastAcquirerSession = "050124;1815";
};

struct NetworkState {
    NetworkSettings RemoteAccess;
    NetworkSettings Acquirer;
    ReadoutState Readout;
    ModemState Modem;
};

// The firmware image the simulated register holds: `size` bytes of a pattern that walks every
// byte value, so escaping and packet order are both exercised.
std::string FirmwarePattern(size_t size);

} // namespace regsim
