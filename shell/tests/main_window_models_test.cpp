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

TEST(ModelSetupFor, FamilyCheckBoxesAndPq) {
    const struct {
        std::string model;
        bool modem, smallFont, narrowPaper, pq;
    } cases[] = {
        {"RM-4S 6027", true, false, false, false},    {"RM-4S", false, false, true, false},
        {"Kivrel RM-4", true, true, false, false},    {"Kivrel LX-9", false, false, true, false},
        {"Kivrel LX-9 ", false, false, false, false}, {"PQ-3", false, false, false, true},
    };
    for (const auto& c : cases) {
        const ModelSetup setup = ModelSetupFor(c.model);
        EXPECT_EQ(setup.ModemFamily, c.modem) << c.model;
        EXPECT_EQ(setup.SmallFontControlBox, c.smallFont) << c.model;
        EXPECT_EQ(setup.NarrowPaperBox, c.narrowPaper) << c.model;
        EXPECT_EQ(setup.Pq, c.pq) << c.model;
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

TEST(ServiceItemsFor, VersionOrPriority) {
    const auto both = ServiceItemsFor("3.00", false);
    EXPECT_TRUE(both.Maintenance && both.Counters);
    EXPECT_TRUE(ServiceItemsFor("2.01", true).Maintenance);
    const auto countersOnly = ServiceItemsFor("2.02", false);
    EXPECT_FALSE(countersOnly.Maintenance);
    EXPECT_TRUE(countersOnly.Counters);
    const auto none = ServiceItemsFor("4.01", false);
    EXPECT_FALSE(none.Maintenance || none.Counters);
}

TEST(BaudRateIndex, ItemOfTheRate) {
    EXPECT_EQ(BaudRateIndex("110"), 0);
    EXPECT_EQ(BaudRateIndex("4800"), 5);
    EXPECT_EQ(BaudRateIndex("115200"), 10);
    EXPECT_EQ(BaudRateIndex("14400"), std::nullopt);
    EXPECT_EQ(BaudRateTexts[DefaultBaudRateIndex], "9600");
}
} // namespace
