// Network settings of remote access (D0h/D1h) and of the acquirer link (FAh/FBh), the buffered
// read-out (E7h/E8h) and the modem (EAh, FCh).
#include "platform/text/text.h"
#include "tools/regsim/model_fields.h"
#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

constexpr const char* kErrorNoSource = "000B"; // E8h before any E7h

bool UpperHex(const std::string& text, size_t digits) {
    if (text.size() != digits) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

std::string Settings(const NetworkSettings& s) {
    return JoinFields({s.Dhcp, s.Ip, s.Mask, s.Gateway, s.Server, s.Port, s.Period, s.Retry});
}

// The next packet's text from `bytes` at `from`, at most ReadoutState::PacketChars characters:
// control bytes, ";" and "\" travel as "\" and the byte + 40h. `from` moves past what it took.
std::string NextPacket(const std::string& bytes, size_t& from) {
    std::string text;
    for (; from < bytes.size(); ++from) {
        const unsigned char byte = static_cast<unsigned char>(bytes[from]);
        const bool escaped = byte < 0x20 || byte == ';' || byte == '\\';
        if (text.size() + (escaped ? 2 : 1) > ReadoutState::PacketChars) break;
        if (escaped) text += '\\';
        text += static_cast<char>(escaped ? byte + 0x40 : byte);
    }
    return text;
}

} // namespace

ReadoutState::ReadoutState() {
    Sources[{5, 0}] = FirmwarePattern(256 * 1024);
    for (int key = 0; key < 3; ++key)
        Sources[{3, key}] = std::string(64, static_cast<char>('K' + key));
    Sources[{1, 1}] = "SIGNED DOCUMENT 1\r\n";
}

std::string FirmwarePattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

// D0h: password; server address; port.
ModelAnswer RegisterModel::SetRemoteAccess(const std::vector<std::string>& fields) {
    if (!UpperHex(Field(fields, 1), 8)) return {FieldFormatError(2), ""};
    if (!UpperHex(Field(fields, 2), 4)) return {FieldFormatError(3), ""};
    State.Network.RemoteAccess.Server = Field(fields, 1);
    State.Network.RemoteAccess.Port = Field(fields, 2);
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetRemoteAccess(const std::vector<std::string>&) {
    return {kErrorOk, Settings(State.Network.RemoteAccess)};
}

// FBh: password; DHCP 0 or 1; four addresses; port, period and retry.
ModelAnswer RegisterModel::SetAcquirerLink(const std::vector<std::string>& fields) {
    const std::string dhcp = Field(fields, 1);
    if (dhcp != "0" && dhcp != "1") return {FieldValueError(2), ""};
    for (size_t i = 2; i <= 5; ++i)
        if (!UpperHex(Field(fields, i), 8)) return {FieldFormatError(static_cast<int>(i) + 1), ""};
    for (size_t i = 6; i <= 8; ++i)
        if (!UpperHex(Field(fields, i), 4)) return {FieldFormatError(static_cast<int>(i) + 1), ""};
    State.Network.Acquirer = {dhcp,
                              Field(fields, 2),
                              Field(fields, 3),
                              Field(fields, 4),
                              Field(fields, 5),
                              Field(fields, 6),
                              Field(fields, 7),
                              Field(fields, 8)};
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetAcquirerLink(const std::vector<std::string>&) {
    return {kErrorOk, Settings(State.Network.Acquirer)};
}

// E7h: password; sub-function; (empty); number. Answer: the size of the source, 0 when it has none.
ModelAnswer RegisterModel::SetDataSource(const std::vector<std::string>& fields) {
    int function = 0, number = 0;
    if (!ParseInt(Field(fields, 1), function)) return {FieldFormatError(2), ""};
    if (function != 1 && function != 3 && function != 5) return {FieldValueError(2), ""};
    if (!Field(fields, 3).empty() && !ParseInt(Field(fields, 3), number)) return {FieldFormatError(4), ""};
    ReadoutState& readout = State.Network.Readout;
    auto found = readout.Sources.find({function, number});
    readout.Selected.reset();
    if (found != readout.Sources.end()) readout.Selected = found->first;
    readout.Sent = 0;
    readout.NextPacket = 0;
    return {kErrorOk, std::to_string(found == readout.Sources.end() ? 0 : found->second.size()) + ";"};
}

// E8h: password. Answer: packet number; up to 200 bytes, escaped; a packet without data ends.
ModelAnswer RegisterModel::ReadDataFromBuf(const std::vector<std::string>&) {
    ReadoutState& readout = State.Network.Readout;
    if (!readout.Selected) return {kErrorNoSource, ""};
    const std::string& source = readout.Sources[*readout.Selected];
    const std::string number = std::to_string(readout.NextPacket++) + ";";
    if (readout.Sent >= source.size()) return {kErrorOk, number};
    // The answer's text is kept in UTF-8 and travels in CP1251: the escaped bytes are CP1251.
    return {kErrorOk, number + Cp1251ToUtf8(NextPacket(source, readout.Sent)) + ";"};
}

// EAh: password, and a print flag for the state report; the other modem family's report without it.
ModelAnswer RegisterModel::GetModemState(const std::vector<std::string>& fields) {
    const ModemState& modem = State.Network.Modem;
    if (fields.size() < 2) return {kErrorOk, modem.Report + ";"};
    const std::string print = Field(fields, 1);
    if (print != "0" && print != "1") return {FieldValueError(2), ""};
    return {kErrorOk, JoinFields({modem.StateByte, modem.FirstUndelivered, modem.Personalised})};
}

ModelAnswer RegisterModel::GetAcquirerSession(const std::vector<std::string>&) {
    return {kErrorOk, State.Network.Modem.LastAcquirerSession + ";"};
}

} // namespace regsim
