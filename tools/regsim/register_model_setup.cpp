// The set-up commands: parameter block, header lines, logo, operators, passwords, maintenance
// reminder, decimal point and device identifier.
#include "tools/regsim/model_fields.h"
#include "tools/regsim/register_model.h"

namespace regsim {

namespace {

constexpr int kLogoPacketChars = 48;
constexpr size_t kOperatorNameChars = 20;
constexpr size_t kPasswordChars = 6;
constexpr int kOperatorCount = 16; // operators 1..16

bool IsBaudRate(int rate) {
    for (int known : {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        if (rate == known) return true;
    return false;
}

bool IsHexText(const std::string& text) {
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A password as the register takes it: one to six digits.
bool IsPassword(const std::string& text) {
    return text.size() <= kPasswordChars && IsDigits(text);
}

// The UTF-8 text's length in characters.
size_t Characters(const std::string& text) {
    size_t count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string FourHex(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

} // namespace

// 27h: password; speed (0 keeps it); contrast; options word; print byte; two pulses; name characters.
ModelAnswer RegisterModel::SetRegistratorParams(const std::vector<std::string>& fields) {
    RegisterParams next = State.Setup.Params;
    int speed = 0;
    if (!ParseInt(Field(fields, 1), speed)) return {FieldFormatError(2), ""};
    if (speed != 0 && !IsBaudRate(speed)) return {FieldValueError(2), ""};
    if (speed != 0) next.Speed = speed;
    if (!ParseInt(Field(fields, 2), next.Contrast)) return {FieldFormatError(3), ""};
    if (next.Contrast < 0 || next.Contrast > 4) return {FieldValueError(3), ""};
    if (!ParseHex(Field(fields, 3), 4, next.DocumentOptions)) return {FieldFormatError(4), ""};
    int* bytes[] = {&next.PrintOptions, &next.DrawerOpenPulse, &next.DrawerClosePulse};
    for (int i = 0; i < 3; ++i)
        if (!ParseHex(Field(fields, 4 + i), 2, *bytes[i])) return {FieldFormatError(5 + i), ""};
    if (!ParseInt(Field(fields, 7), next.NameChars)) return {FieldFormatError(8), ""};
    if (next.NameChars < 1 || next.NameChars > 99) return {FieldValueError(8), ""};
    State.Setup.Params = next;
    return {kErrorOk, ""};
}

// 28h: the block as "speed;contrast;WORD;BB;BB;BB;NN;".
ModelAnswer RegisterModel::GetRegistratorParams(const std::vector<std::string>&) {
    const RegisterParams& p = State.Setup.Params;
    return {kErrorOk,
            JoinFields({std::to_string(p.Speed), std::to_string(p.Contrast), FourHex(p.DocumentOptions),
                        TwoHex(p.PrintOptions), TwoHex(p.DrawerOpenPulse), TwoHex(p.DrawerClosePulse),
                        TwoDigits(p.NameChars)})};
}

// 22h: password; line 0..20; text; attribute 0 or 1.
ModelAnswer RegisterModel::SetHeaderFooter(const std::vector<std::string>& fields) {
    int line = 0, attribute = 0;
    if (!ParseInt(Field(fields, 1), line)) return {FieldFormatError(2), ""};
    if (line < 0 || line >= SetupState::HeaderLineCount) return {FieldValueError(2), ""};
    const std::string text = Field(fields, 2);
    if (Characters(text) > 48) return {FieldValueError(3), ""};
    if (!ParseInt(Field(fields, 3), attribute)) return {FieldFormatError(4), ""};
    if (attribute != 0 && attribute != 1) return {FieldValueError(4), ""};
    State.Setup.Header[line] = {text, attribute};
    return {kErrorOk, ""};
}

// 23h: password; line. Answer: text; attribute.
ModelAnswer RegisterModel::GetHeaderFooter(const std::vector<std::string>& fields) {
    int line = 0;
    if (!ParseInt(Field(fields, 1), line)) return {FieldFormatError(2), ""};
    if (line < 0 || line >= SetupState::HeaderLineCount) return {FieldValueError(2), ""};
    const HeaderLine& stored = State.Setup.Header[line];
    return {kErrorOk, JoinFields({stored.Text, std::to_string(stored.Attribute)})};
}

// 29h: password; packet number; 48 hex characters. Packets come in order from 0; a packet 0 starts a
// new logo.
ModelAnswer RegisterModel::SetUserLogo(const std::vector<std::string>& fields) {
    int packet = 0;
    if (!ParseInt(Field(fields, 1), packet)) return {FieldFormatError(2), ""};
    std::vector<std::string>& packets = State.Setup.LogoPackets;
    if (packet == 0) packets.clear();
    if (packet != static_cast<int>(packets.size()) || packet >= SetupState::MaxLogoPacket)
        return {FieldValueError(2), ""};
    const std::string bits = Field(fields, 2);
    if (bits.size() != kLogoPacketChars || !IsHexText(bits)) return {FieldFormatError(3), ""};
    packets.push_back(bits);
    return {kErrorOk, ""};
}

// 31h: password; width; height. Closes the logo when the packets received hold its rows.
ModelAnswer RegisterModel::CloseUserLogo(const std::vector<std::string>& fields) {
    int width = 0, height = 0, maxWidth = 0, maxBytes = 0;
    if (!ParseInt(Field(fields, 1), width)) return {FieldFormatError(2), ""};
    if (!ParseInt(Field(fields, 2), height)) return {FieldFormatError(3), ""};
    ParseInt(State.LogoWidth, maxWidth);
    ParseInt(State.LogoBytes, maxBytes);
    if (width <= 0 || width > maxWidth) return {FieldValueError(2), ""};
    const int rowBytes = (width + 7) / 8;
    if (height <= 0 || height * rowBytes > maxBytes) return {FieldValueError(3), ""};
    const int bytesSent = static_cast<int>(State.Setup.LogoPackets.size()) * 24;
    if (bytesSent < height * rowBytes) return {kErrorDocumentState, ""};
    State.Setup.LogoWidth = width;
    State.Setup.LogoHeight = height;
    return {kErrorOk, ""};
}

// 2Fh: password; operator number; operator password; name.
ModelAnswer RegisterModel::SetOperatorParams(const std::vector<std::string>& fields) {
    int number = 0;
    if (!ParseInt(Field(fields, 1), number)) return {FieldFormatError(2), ""};
    if (number < 1 || number > kOperatorCount) return {FieldValueError(2), ""};
    const std::string password = Field(fields, 2);
    if (!IsPassword(password)) return {FieldFormatError(3), ""};
    const std::string name = Field(fields, 3);
    if (Characters(name) > kOperatorNameChars) return {FieldValueError(4), ""};
    OperatorRecord& record = State.Setup.Operators[number];
    record.Password = password;
    record.Name = name;
    return {kErrorOk, ""};
}

// 30h: password; operator number. Answer: sales flag; name.
ModelAnswer RegisterModel::GetOperatorParams(const std::vector<std::string>& fields) {
    int number = 0;
    if (!ParseInt(Field(fields, 1), number)) return {FieldFormatError(2), ""};
    if (number < 1 || number > kOperatorCount) return {FieldValueError(2), ""};
    auto found = State.Setup.Operators.find(number);
    if (found == State.Setup.Operators.end()) return {kErrorOk, "0;;"};
    return {kErrorOk, JoinFields({found->second.HasSales ? "1" : "0", found->second.Name})};
}

// 2Ch: password; operator number, or -1 for all of them. An operator with sales is kept.
ModelAnswer RegisterModel::ClearOperator(const std::vector<std::string>& fields) {
    int number = 0;
    if (!ParseInt(Field(fields, 1), number)) return {FieldFormatError(2), ""};
    auto& operators = State.Setup.Operators;
    if (number == -1) {
        std::erase_if(operators, [](const auto& entry) { return !entry.second.HasSales; });
        return {kErrorOk, ""};
    }
    if (number < 1 || number > kOperatorCount) return {FieldValueError(2), ""};
    auto found = operators.find(number);
    if (found != operators.end() && found->second.HasSales) return {kErrorDocumentState, ""};
    operators.erase(number);
    return {kErrorOk, ""};
}

// 2Bh: administrator password; new programming, reports and administrator passwords.
ModelAnswer RegisterModel::SetModePasswords(const std::vector<std::string>& fields) {
    SetupState& setup = State.Setup;
    if (Field(fields, 0) != setup.AdministratorPassword) return {kErrorPassword, ""};
    for (int i = 1; i <= 3; ++i)
        if (!IsPassword(Field(fields, i))) return {FieldFormatError(i + 1), ""};
    setup.ProgrammingPassword = Field(fields, 1);
    setup.ReportsPassword = Field(fields, 2);
    setup.AdministratorPassword = Field(fields, 3);
    return {kErrorOk, ""};
}

// 34h: password; 0 for the first line of a message, 1 for each further line; the text.
ModelAnswer RegisterModel::AddTmpBuffLine(const std::vector<std::string>& fields) {
    int more = 0;
    if (!ParseInt(Field(fields, 1), more)) return {FieldFormatError(2), ""};
    if (more != 0 && more != 1) return {FieldValueError(2), ""};
    std::vector<std::string>& message = State.Setup.Reminder.Message;
    if (more == 1 && message.empty()) return {kErrorDocumentState, ""};
    if (more == 0) message.clear();
    message.push_back(Field(fields, 2));
    return {kErrorOk, ""};
}

// 35h: old reminder password; new one; event date DDMMYY; days of warning; mask (hex).
ModelAnswer RegisterModel::SetServiceInfo(const std::vector<std::string>& fields) {
    ServiceReminder& reminder = State.Setup.Reminder;
    if (Field(fields, 0) != reminder.Password) return {kErrorPassword, ""};
    const std::string password = Field(fields, 1);
    if (!password.empty() && !IsPassword(password)) return {FieldFormatError(2), ""};
    int day = 0, month = 0, year = 0, days = 0, mask = 0;
    const std::string date = Field(fields, 2);
    if (date.size() != 6 || !ParseDigits(date.substr(0, 2), 2, day) ||
        !ParseDigits(date.substr(2, 2), 2, month) || !ParseDigits(date.substr(4), 2, year) || day < 1 ||
        day > 31 || month < 1 || month > 12)
        return {kErrorDateFormat, ""};
    if (!ParseInt(Field(fields, 3), days)) return {FieldFormatError(4), ""};
    if (days < 0 || days > 365) return {FieldValueError(4), ""};
    if (!ParseHex(Field(fields, 4), 2, mask)) return {FieldFormatError(5), ""};
    reminder.Password = password;
    reminder.Date = date;
    reminder.Days = days;
    reminder.Mask = mask;
    return {kErrorOk, ""};
}

// 36h: password. Answer: date; days; mask.
ModelAnswer RegisterModel::GetServiceInfo(const std::vector<std::string>&) {
    const ServiceReminder& reminder = State.Setup.Reminder;
    return {kErrorOk, JoinFields({reminder.Date, std::to_string(reminder.Days), TwoHex(reminder.Mask)})};
}

// 49h: password; position 0..3.
ModelAnswer RegisterModel::SetDecimalPoint(const std::vector<std::string>& fields) {
    int position = 0;
    if (!ParseInt(Field(fields, 1), position)) return {FieldFormatError(2), ""};
    if (position < 0 || position > 3) return {FieldValueError(2), ""};
    State.Setup.DecimalPoint = position;
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetDecimalPoint(const std::vector<std::string>&) {
    return {kErrorOk, std::to_string(State.Setup.DecimalPoint) + ";"};
}

// 4Bh: password; identifier, a 32-bit unsigned decimal number.
ModelAnswer RegisterModel::SetDeviceId(const std::vector<std::string>& fields) {
    unsigned long long id = 0;
    const std::string text = Field(fields, 1);
    if (!IsDigits(text) || !ParseInt(text, id)) return {FieldFormatError(2), ""};
    if (id > 0xFFFFFFFFull) return {FieldValueError(2), ""};
    State.Setup.DeviceId = std::to_string(id);
    return {kErrorOk, ""};
}

ModelAnswer RegisterModel::GetDeviceId(const std::vector<std::string>&) {
    return {kErrorOk, State.Setup.DeviceId + ";"};
}

} // namespace regsim
