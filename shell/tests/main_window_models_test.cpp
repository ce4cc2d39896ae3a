#include <gtest/gtest.h>

#include "shell/main_window_models.h"

namespace {
using Items = std::vector<std::string>;

TEST(ModelSetupFor, PaperWidthByModel) {
    const struct {
        std::string model;
        bool editShown;
        std::string editText;
        Items items;
        std::string comboText;
    } cases[] = {
        {"Kivrel LT-6", true, "40", {}, ""},
        {"6027", true, "38", {}, ""},
        {"RM-4S 6027", true, "32", {}, ""}, // the later test wins
        {"RM-4S", true, "32", {}, ""},
        {"418", true, "40", {}, ""},
        {"8164 2953", true, "36", {}, ""}, // 8164 ends the choice
        {"2953", false, "40", {"42", "44"}, "42"},
        {"957", false, "40", {"42", "48"}, "42"},
        {"6027 2953", false, "38", {"42", "44"}, "42"}, // the hidden edit keeps its width
        {"Kivrel LT-7", false, "40", {"40", "42"}, "40"},
        {"Kivrel LX-2", false, "40", {"40", "42"}, "40"},
    };
    for (const auto& c : cases) {
        const PaperWidth width = ModelSetupFor(c.model).Width;
        EXPECT_EQ(width.EditShown, c.editShown) << c.model;
        EXPECT_EQ(width.EditText, c.editText) << c.model;
        EXPECT_EQ(width.ComboItems, c.items) << c.model;
        EXPECT_EQ(width.ComboText, c.comboText) << c.model;
    }
}

TEST(EffectiveFirmwareVersion, ForcedByUkrVersion) {
    EXPECT_EQ(EffectiveFirmwareVersion(-1, "4.01", "old"), "4.01");
    EXPECT_EQ(EffectiveFirmwareVersion(0, "4.01", "old"), "2.01");
    EXPECT_EQ(EffectiveFirmwareVersion(1, "4.01", "old"), "2.02");
    EXPECT_EQ(EffectiveFirmwareVersion(2, "4.01", "old"), "3.00");
    EXPECT_EQ(EffectiveFirmwareVersion(3, "4.01", "old"), "3.01");
    EXPECT_EQ(EffectiveFirmwareVersion(4, "4.01", "old"), "old");
    EXPECT_EQ(EffectiveFirmwareVersion(-2, "4.01", "old"), "old");
}

} // namespace
