#include <QMenu>
#include <QPainter>
#include <QWidget>

#include "controls/glyph_list.h"
#include "controls/popup_menu.h"
#include "controls/resources.h"
#include "controls/speed_button.h"
#include "controls/tests/fixture.h"
#include "platform/clock/clock.h"
#include "platform/forms/tests/run_until.h"

namespace {

// A 16 x 16 black cross on the transparent fuchsia, in cells side by side.
QImage CrossGlyph(int cells) {
    QImage glyph = FilledBitmap(16 * cells, 16, clFuchsia);
    for (int cell = 0; cell < cells; ++cell)
        for (int i = 3; i < 13; ++i) {
            glyph.setPixel(cell * 16 + i, 8, qRgb(0, 0, 0));
            glyph.setPixel(cell * 16 + 8, i, qRgb(0, 0, 0));
        }
    return glyph;
}

class ButtonPanel : public TForm {
public:
    ButtonPanel() {
        Column main(*this);
        main.Line({&Up, &Down, &Exclusive, &Disabled, &Inactive, &Menu});
        for (TKxSpeedButton* button : {&Up, &Down, &Exclusive, &Disabled, &Inactive, &Menu}) {
            button->SetGlyph(CrossGlyph(1));
            button->SetWidth(40);
            button->SetHeight(40);
        }
        Menu.SetDropDownMenu(&PopupMenu1);
        PopupMenu1.Add(N1);
        Exclusive.SetGroupIndex(1);
        Exclusive.SetDown(true);
        Disabled.SetEnabled(false);
        Inactive.SetFlat(true);
    }
    TKxSpeedButton Up, Down, Exclusive, Disabled, Inactive, Menu;
    TPopupMenu PopupMenu1;
    TMenuItem N1{"Пункт"};
};

class SpeedButtonTest : public ControlsTest {};

TEST_F(SpeedButtonTest, GlyphShapeDecidesTheCellCount) {
    const struct {
        int width, height, cells;
    } cases[] = {{48, 16, 3}, {112, 16, 1}, {16, 16, 1}, {80, 16, 5}, {20, 16, 1}};
    for (const auto& c : cases) {
        TKxButtonGlyph glyph;
        glyph.SetGlyph(FilledBitmap(c.width, c.height, clRed));
        EXPECT_EQ(glyph.NumGlyphs(), c.cells) << c.width;
    }
    TKxButtonGlyph glyph;
    glyph.SetNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetNumGlyphs(9);
    EXPECT_EQ(glyph.NumGlyphs(), 5);
}

TEST_F(SpeedButtonTest, StatesTakeTheirCellsAndFallBack) {
    // Cells are filled with one colour each: red, green, blue, gray; the last row stays transparent.
    const TColor cellColors[] = {clRed, clGreen, clBlue, clGray, clYellow};
    auto glyphOf = [&](int cells) {
        QImage glyph = FilledBitmap(8 * cells, 8, clFuchsia);
        for (int cell = 0; cell < cells; ++cell)
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 8; ++x)
                    glyph.setPixel(cell * 8 + x, y, PixelOfColor(cellColors[cell]));
        return glyph;
    };
    const struct {
        int cells;
        TKxButtonState state;
        TColor expected;
    } cases[] = {
        {1, rbsDown, clRed},        {2, rbsDown, clRed},        {3, rbsDown, clBlue},
        {2, rbsDisabled, clGreen},  {4, rbsExclusive, clGray},  {2, rbsExclusive, clRed},
        {5, rbsInactive, clYellow}, {2, rbsInactive, 0x4C4C4C}, // luminance of red
    };
    for (const auto& c : cases) {
        TKxButtonGlyph glyph;
        glyph.SetGlyph(glyphOf(c.cells));
        glyph.SetNumGlyphs(c.cells);
        const int index = glyph.CreateButtonGlyph(c.state);
        ASSERT_NE(index, -1);
        const QImage cell = glyph.GlyphList()->Image(index);
        EXPECT_EQ(ColorOfPixel(cell.pixel(2, 2)), c.expected) << c.cells << " " << c.state;
        EXPECT_EQ(qAlpha(cell.pixel(2, 7)), 0) << "transparent row kept";
    }
}

TEST_F(SpeedButtonTest, MapColorKeepsFaceAndTransparentColours) {
    TKxButtonGlyph glyph;
    glyph.SetGlyph(CrossGlyph(1));
    EXPECT_EQ(glyph.MapColor(clFuchsia), clFuchsia);
    EXPECT_EQ(glyph.MapColor(ColorToRGB(clBtnFace)), ColorToRGB(clBtnFace));
    EXPECT_EQ(glyph.MapColor(clWhite), 0xFFFFFF);
    EXPECT_EQ(glyph.MapColor(clBlue), 0x1C1C1C);
}

TEST_F(SpeedButtonTest, GlyphsOfOneSizeShareAListAndTheCacheGoesWithTheLastButton) {
    {
        TKxSpeedButton a, b;
        a.SetGlyph(CrossGlyph(1));
        b.SetGlyph(CrossGlyph(2));
        a.ButtonGlyph().CreateButtonGlyph(rbsUp);
        b.ButtonGlyph().CreateButtonGlyph(rbsUp);
        ASSERT_NE(GlyphCache(), nullptr);
        EXPECT_EQ(a.ButtonGlyph().GlyphList(), b.ButtonGlyph().GlyphList());
        EXPECT_EQ(GlyphCache()->ListCount(), 1);
        EXPECT_EQ(a.ButtonGlyph().GlyphList()->Count(), 2);
    }
    EXPECT_EQ(GlyphCache(), nullptr);
}

TEST_F(SpeedButtonTest, GlyphListReusesTheLowestFreeCell) {
    TGlyphList list(4, 4);
    const QImage cell = FilledBitmap(4, 4, clRed);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 0);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 1);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 2);
    list.Delete(1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 0);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 1);
    EXPECT_EQ(list.AddMasked(cell, clFuchsia), 3);
    EXPECT_EQ(list.Count(), 4);
}

TEST_F(SpeedButtonTest, GroupedButtonsExcludeOneAnotherAndTheLastStaysDown) {
    TForm form;
    TKxSpeedButton a, b, plain;
    Column(form).Line({&a, &b, &plain});
    a.SetGroupIndex(3);
    b.SetGroupIndex(3);
    plain.SetDown(true);
    EXPECT_FALSE(plain.Down()); // no group, never down
    a.SetDown(true);
    b.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    b.SetDown(false);
    EXPECT_TRUE(b.Down()); // AllowAllUp is false
    form.Show();
    ClickAt(b.Widget(), QPoint(3, 3));
    EXPECT_TRUE(b.Down());
    b.SetAllowAllUp(true);
    EXPECT_TRUE(a.AllowAllUp()); // taken over by the group
    ClickAt(b.Widget(), QPoint(3, 3));
    EXPECT_FALSE(b.Down());
    form.Hide();
}

TEST_F(SpeedButtonTest, ReleaseOnTheBottomEdgeCountsAsInsideButNotOnTheRightEdge) {
    TForm form;
    TKxSpeedButton button;
    Column(form).Add(button);
    button.SetWidth(30);
    button.SetHeight(20);
    form.Show();
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    const struct {
        int x, y;
        int clicks;
    } cases[] = {{5, 20, 1}, {30, 5, 0}, {29, 0, 1}, {-1, 5, 0}};
    for (const auto& c : cases) {
        clicks = 0;
        button.MouseDown(mbLeft, ssLeft, 5, 5);
        EXPECT_EQ(button.State(), rbsDown);
        button.MouseUp(mbLeft, 0, c.x, c.y);
        EXPECT_EQ(clicks, c.clicks) << c.x << "," << c.y;
        EXPECT_EQ(button.State(), rbsUp);
    }
    form.Hide();
}

TEST_F(SpeedButtonTest, HeldButtonRepeatsItsClickThroughTheClock) {
    SetTimeScale(0.01);
    TForm form;
    TKxTimerSpeedButton button;
    Column(form).Add(button);
    form.Show();
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.MouseDown(mbLeft, ssLeft, 2, 2);
    // 500 ms pause, then every 100 ms, at a hundredth of the time: three repeats come soon.
    EXPECT_TRUE(RunUntil([&] { return clicks >= 3; }));
    const int held = clicks;
    button.MouseUp(mbLeft, 0, 2, 2);
    RunFor(20);
    EXPECT_EQ(clicks, held + 1); // the release clicks once more, then nothing repeats
    SetTimeScale(1.0);
    form.Hide();
}

TEST_F(SpeedButtonTest, CaptionWiderThanTheRoomIsShortenedOrWrapped) {
    TKxSpeedButton button;
    button.SetBounds(0, 0, 60, 60);
    QImage canvas(60, 60, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    const std::string caption = "Очень длинная надпись";
    const TButtonLayoutResult shortened = button.ButtonGlyph().CalcButtonLayout(
        painter, Bounds(0, 0, 60, 60), caption, blGlyphTop, -1, 1, false, nullptr, -1, 0);
    EXPECT_TRUE(QString::fromStdString(shortened.caption).endsWith("..."));
    EXPECT_LE(WidthOf(shortened.textBounds), 60);
    button.SetWordWrap(true);
    const TButtonLayoutResult wrapped = button.ButtonGlyph().CalcButtonLayout(
        painter, Bounds(0, 0, 60, 60), caption, blGlyphTop, -1, 1, false, nullptr, -1, 0);
    EXPECT_EQ(wrapped.caption, caption);
    EXPECT_LE(WidthOf(wrapped.textBounds), 60);
    EXPECT_GT(HeightOf(wrapped.textBounds), painter.fontMetrics().height()); // more than one line
}

TEST_F(SpeedButtonTest, EveryStateIsDrawnAsItShouldLook) {
    ButtonPanel panel;
    panel.Show();
    panel.Down.MouseDown(mbLeft, ssLeft, 5, 5); // held down
    const QImage picture = GrabWindows({panel.Widget()});
    SavePicture(picture, "speed_buttons");
    auto at = [&](TKxSpeedButton& button, int x, int y) {
        const QPoint p = button.Widget()->mapTo(panel.Widget(), QPoint(x, y));
        return PixelAt(picture, p.x(), p.y());
    };
    // The cross sits in the middle: black when up; shifted by one pixel when down.
    EXPECT_EQ(at(panel.Up, 20, 16), clBlack);
    EXPECT_EQ(at(panel.Down, 21, 17), clBlack);
    EXPECT_EQ(at(panel.Up, 0, 0), ColorToRGB(clBtnHighlight));      // raised frame
    EXPECT_EQ(at(panel.Down, 0, 0), ColorToRGB(clWindowFrame));     // sunken frame
    EXPECT_EQ(at(panel.Disabled, 20, 16), ColorToRGB(clBtnShadow)); // embossed glyph
    EXPECT_EQ(at(panel.Disabled, 21, 17), ColorToRGB(clBtnHighlight));
    EXPECT_NE(at(panel.Inactive, 0, 0), ColorToRGB(clBtnHighlight)); // flat: no frame
    // The checker pattern behind an exclusive button's glyph.
    EXPECT_NE(at(panel.Exclusive, 4, 4), at(panel.Exclusive, 5, 4));
    // The drop-down mark right of the glyph: a row of seven pixels in the button text colour.
    bool markFound = false;
    for (int y = 0; y < 40 && !markFound; ++y)
        for (int x = 25; x < 38 && !markFound; ++x)
            markFound = at(panel.Menu, x, y) == ColorToRGB(clBtnText) &&
                        at(panel.Menu, x + 6, y) == ColorToRGB(clBtnText) &&
                        at(panel.Menu, x + 3, y + 2) == ColorToRGB(clBtnText);
    EXPECT_TRUE(markFound);
    panel.Down.MouseUp(mbLeft, 0, 5, 5);
    panel.Hide();
}

TEST_F(SpeedButtonTest, ADropDownMenuOpensOnPressUnderTheButton) {
    ButtonPanel panel;
    panel.Show();
    int clicks = 0;
    panel.Menu.OnClick = [&] { ++clicks; };
    panel.Menu.MouseDown(mbLeft, ssLeft, 5, 5);
    ASSERT_NE(panel.PopupMenu1.Shown(), nullptr);
    EXPECT_TRUE(panel.PopupMenu1.Shown()->isVisible());
    EXPECT_EQ(panel.PopupMenu1.PopupComponent(), &panel.Menu);
    const QPoint under = panel.Menu.Widget()->mapToGlobal(QPoint(-1, panel.Menu.Height()));
    EXPECT_EQ(panel.PopupMenu1.Shown()->pos(), under);
    EXPECT_EQ(clicks, 0); // the press showed the menu instead of clicking
    EXPECT_FALSE(panel.Menu.Dragging());
    panel.PopupMenu1.Shown()->hide();
    panel.Hide();
}

TEST_F(SpeedButtonTest, AFreedMenuIsForgotten) {
    TKxSpeedButton button;
    {
        TPopupMenu menu;
        button.SetDropDownMenu(&menu);
        EXPECT_EQ(button.DropDownMenu(), &menu);
    }
    EXPECT_EQ(button.DropDownMenu(), nullptr);
}

TEST_F(SpeedButtonTest, TheCalendarArrowGlyphsAreResources) {
    for (const char* name : {"PREV1", "PREV2", "NEXT1", "NEXT2", "DEDITBMP"}) {
        const QImage glyph = MakeBitmap(name);
        EXPECT_FALSE(glyph.isNull()) << name;
        EXPECT_EQ(TransparentColorOf(glyph), clFuchsia) << name;
    }
    EXPECT_THROW(MakeBitmap("NOSUCH"), EResNotFound);
    EXPECT_TRUE(HasScreenCursor(crHandPoint));
    EXPECT_TRUE(HasScreenCursor(crDragHand));
}

} // namespace
