#include "shell/main_window_models.h"

#include <algorithm>
#include <array>

namespace {
bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The combo box takes the edit's place; the hidden edit keeps the width set before.
PaperWidth WidthChoice(PaperWidth width, std::vector<std::string> items) {
    width.EditShown = false;
    width.ComboText = items.front();
    width.ComboItems = std::move(items);
    return width;
}

PaperWidth PaperWidthFor(const std::string& model) {
    PaperWidth width;
    // Later tests win: a model text may contain several codes.
    if (Contains(model, "6027")) width.EditText = "38";
    if (Contains(model, "RM-4")) width.EditText = "32";
    if (Contains(model, "418")) width.EditText = "40";
    if (Contains(model, "8164")) {
        width.EditText = "36";
        return width;
    }
    if (Contains(model, "2953")) return WidthChoice(width, {"42", "44"});
    if (Contains(model, "957")) return WidthChoice(width, {"42", "48"});
    if (Contains(model, "Kivrel LT-7") || Contains(model, "Kivrel LX-2"))
        return WidthChoice(width, {"40", "42"});
    return width;
}

bool HasNarrowPaperOption(const std::string& model) {
    static const std::array<const char*, 6> models{"Kivrel LT-6", "Kivrel LT-7", "Kivrel LX-3",
                                                   "Kivrel LX-2", "Kivrel LX-9", "RM-4S"};
    return std::find(models.begin(), models.end(), model) != models.end();
}
} // namespace

const std::vector<std::string> BaudRateTexts{"110",  "300",   "600",   "1200",  "2400",  "4800",
                                             "9600", "19200", "38400", "57600", "115200"};

std::optional<int> BaudRateIndex(const std::string& rate) {
    const auto found = std::find(BaudRateTexts.begin(), BaudRateTexts.end(), rate);
    if (found == BaudRateTexts.end()) return std::nullopt;
    return static_cast<int>(found - BaudRateTexts.begin());
}

bool InModemFamily(const std::string& model) {
    return Contains(model, "6027") || (Contains(model, "RM-4") && !Contains(model, "RM-4S"));
}

ModelSetup ModelSetupFor(const std::string& model) {
    ModelSetup setup;
    setup.Width = PaperWidthFor(model);
    setup.ModemFamily = InModemFamily(model);
    setup.NarrowPaperBox = HasNarrowPaperOption(model);
    setup.SmallFontControlBox = model == "Kivrel RM-4";
    setup.Pq = Contains(model, "PQ");
    return setup;
}

std::string EffectiveFirmwareVersion(int ukrVersion, const std::string& reported,
                                     const std::string& previous) {
    static const std::array<const char*, 4> forced{"2.01", "2.02", "3.00", "3.01"};
    if (ukrVersion == -1) return reported;
    if (ukrVersion >= 0 && ukrVersion < static_cast<int>(forced.size())) return forced[ukrVersion];
    return previous;
}

ServiceItems ServiceItemsFor(const std::string& firmwareVersion, bool highPriority) {
    if (firmwareVersion == "3.01" || firmwareVersion == "3.00" || highPriority) return {true, true};
    if (firmwareVersion == "2.02") return {false, true};
    return {};
}
