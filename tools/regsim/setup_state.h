#pragma once
// What the simulated register keeps of its set-up: parameter block, receipt header and advertising
// lines, logo, operators, mode passwords, maintenance reminder, decimal point and device identifier.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace regsim {

// The parameter block of 27h/28h.
struct RegisterParams {
    int Speed = 9600;           // link speed in baud
    int Contrast = 0;           // 0..4
    int DocumentOptions = 0;    // 16-bit word
    int PrintOptions = 0;       // byte
    int DrawerOpenPulse = 0x0A; // byte
    int DrawerClosePulse = 0xFF;
    int NameChars = 34; // characters in one line of an article name
};

struct HeaderLine {
    std::string Text;
    int Attribute = 0; // 0 single width, 1 double width
};

struct OperatorRecord {
    std::string Password;
    std::string Name;
    bool HasSales = false;
};

// The maintenance reminder of 35h/36h, and the message lines 34h collects for it.
struct ServiceReminder {
    std::string Password;        // the reminder's own password; empty until first set
    std::string Date = "010100"; // DDMMYY
    int Days = 0;                // days of warning before the event
    int Mask = 0;                // how the register reminds
    std::vector<std::string> Message;
};

struct SetupState {
    static constexpr int HeaderLineCount = 21; // lines 0..9 header, 10..13 advertising, the rest spare
    static constexpr int MaxLogoPacket = 96;   // 24-byte packets: 192 x 96 pixels

    RegisterParams Params;
    std::array<HeaderLine, HeaderLineCount> Header{};
    // Logo packets received since the last 31h (or start), by number; each 48 hex characters.
    std::vector<std::string> LogoPackets;
    int LogoWidth = 0, LogoHeight = 0; // the logo last closed by 31h
    std::map<int, OperatorRecord> Operators;
    std::string ProgrammingPassword = "736204";
    std::string ReportsPassword = "736204";
    std::string AdministratorPassword = "736204";
    ServiceReminder Reminder;
    int DecimalPoint = 2;
    std::string DeviceId = "0";
};

} // namespace regsim
