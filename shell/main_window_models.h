#pragma once
// What the register's model and firmware texts decide at connect: the header dialog's paper width,
// the register-parameters check boxes, the status viewer's captions, the menu items offered.
#include <optional>
#include <string>
#include <vector>

// The baud rates of the main window's lists, in order; "9600" is item 6.
extern const std::vector<std::string> BaudRateTexts;
constexpr int DefaultBaudRateIndex = 6;
// The item of rate in BaudRateTexts; nullopt when it is none of them.
std::optional<int> BaudRateIndex(const std::string& rate);

struct PaperWidth {
    bool EditShown = true; // the width edit, else the combo box of choices
    std::string EditText = "40";
    std::vector<std::string> ComboItems;
    std::string ComboText;
};

struct ModelSetup {
    PaperWidth Width;
    bool ModemFamily = false;         // the RM-4 family with a modem: 72-hour lock, acquirer items hidden
    bool SmallFontControlBox = false; // register parameters: "small font in the control tape"
    bool NarrowPaperBox = false;      // register parameters: "paper 57 mm wide"
    bool Pq = false;
};

ModelSetup ModelSetupFor(const std::string& model);
bool InModemFamily(const std::string& model);

// The firmware version the dialogs go by: the register's own text, or the one [UkrVer] Version
// forces (0 "2.01", 1 "2.02", 2 "3.00", 3 "3.01"); any other value keeps the previous text.
std::string EffectiveFirmwareVersion(int ukrVersion, const std::string& reported,
                                     const std::string& previous);

struct ServiceItems {
    bool Maintenance = false; // N1 made visible
    bool Counters = false;    // N3 made visible
};
// Which of the two service items connect makes visible; it never hides them.
ServiceItems ServiceItemsFor(const std::string& firmwareVersion, bool highPriority);
