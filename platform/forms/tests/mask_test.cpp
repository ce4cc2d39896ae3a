#include "platform/forms/tests/fixture.h"

namespace {

class MaskTest : public FormsTest {};

TEST_F(MaskTest, LibraryMasksBecomeQtMasks) {
    const struct {
        const char* mask;
        const char* qt;
        bool saveLiterals;
        char32_t blank;
    } cases[] = {
        {"!99/99/99;1; ", "00.00.00; ", true, U' '}, {"!99/99/9999;1;_", "00.00.0000;_", true, U'_'},
        {"00:00;0;_", "99:99;_", false, U'_'},       {">LL-aa", ">AA-nn;_", true, U'_'},
        {"\\A9;1;*", "\\A0;*", true, U'*'},          {"", "", true, U'_'},
    };
    for (const auto& c : cases) {
        const ParsedMask parsed = ParseEditMask(c.mask);
        EXPECT_EQ(parsed.qtMask, c.qt) << c.mask;
        EXPECT_EQ(parsed.saveLiterals, c.saveLiterals) << c.mask;
        EXPECT_EQ(parsed.blank, c.blank) << c.mask;
    }
    EXPECT_EQ(ParseEditMask("!99/99/99;1; ").literalPositions,
              (std::vector<bool>{false, false, true, false, false, true, false, false}));
}

TEST_F(MaskTest, DateMaskKeepsLiteralsAndBlanksInTheText) {
    TMaskEdit edit;
    edit.SetEditMask("!99/99/99;1; ");
    EXPECT_EQ(edit.Text(), "  .  .  ");
    edit.SetText("06.10.08");
    EXPECT_EQ(edit.Text(), "06.10.08");
    edit.SetText("311208");
    EXPECT_EQ(edit.Text(), "31.12.08");
}

TEST_F(MaskTest, WithoutSavedLiteralsTheTextHoldsOnlyTheTypedCharacters) {
    TMaskEdit edit;
    edit.SetEditMask("00:00;0;_");
    edit.SetText("2359");
    EXPECT_EQ(edit.Text(), "2359");
}

} // namespace
