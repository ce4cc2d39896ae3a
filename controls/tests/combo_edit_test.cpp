#include <QApplication>
#include <QLineEdit>
#include <QScreen>

#include "controls/combo_edit.h"
#include "controls/tests/fixture.h"

namespace {

// A drop-down that holds a text: what the edit gives it and what it gives back.
class TextPopup : public TPopupWindow {
public:
    explicit TextPopup(TCustomComboEdit& editor) : TPopupWindow(editor) { SetSize(160, 120); }
    TVariant GetValue() override { return value; }
    void SetValue(const TVariant& v) override { value = VarToStr(v); }
    std::string value;
};

class DropDownEdit : public TCustomComboEdit {
public:
    DropDownEdit() : popup(*this) {
        SetPopup(&popup);
        popup.OnCloseUp = [this](TPopupWindow& sender, bool accept) { PopupCloseUp(sender, accept); };
        SetGlyphKind(gkDropDown);
    }
    ~DropDownEdit() override { SetPopup(nullptr); }
    TextPopup popup;
};

class EditWindow : public TForm {
public:
    EditWindow() {
        SetCaption("Поле с кнопкой");
        Column main(*this);
        main.Field("Значение:", Edit1).Add(Edit2);
        main.Buttons({&Button1, &Button2});
        Button1.SetCaption("OK");
        Button1.SetDefault(true);
        Button1.SetModalResult(mrOk);
        Button2.SetCaption("Отмена");
        Button2.SetCancel(true);
        Button2.SetModalResult(mrCancel);
    }
    DropDownEdit Edit1;
    TEdit Edit2;
    TButton Button1, Button2;
};

class ComboEditTest : public ControlsTest {
public:
    void Open(int left = 100, int top = 100) {
        window.SetLeft(left);
        window.SetTop(top);
        window.Show();
        window.Edit1.SetFocus();
        QApplication::processEvents();
    }
    void PressButton() { ClickAt(Button(), Button()->rect().center()); }
    QWidget* Button() { return window.Edit1.Button().Widget(); }
    QWidget* Line() { return window.Edit1.Widget(); }
    QRect PopupRect() { return window.Edit1.popup.Widget()->geometry(); }
    QPoint EditCorner() { return Line()->mapToGlobal(QPoint(0, 0)); }
    ~ComboEditTest() override { window.Hide(); }
    EditWindow window;
};

TEST_F(ComboEditTest, ButtonOpensTheDropDownUnderTheEditAndASecondPressAcceptsWithoutReopening) {
    Open();
    window.Edit1.SetText("abc");
    int buttonClicks = 0;
    window.Edit1.OnButtonClick = [&] { ++buttonClicks; };
    PressButton();
    ASSERT_TRUE(window.Edit1.PopupVisible());
    EXPECT_EQ(window.Edit1.popup.value, "abc");
    EXPECT_EQ(PopupRect().top(), EditCorner().y() + Line()->height());
    EXPECT_EQ(PopupRect().right(), EditCorner().x() + Line()->width() - 1); // right edges aligned
    window.Edit1.popup.value = "xyz";
    PressButton();
    EXPECT_FALSE(window.Edit1.PopupVisible());
    EXPECT_FALSE(window.Edit1.popup.Showing());
    EXPECT_EQ(window.Edit1.Text(), "xyz");
    EXPECT_EQ(buttonClicks, 1);
}

TEST_F(ComboEditTest, KeysOpenAndCloseTheDropDown) {
    const struct {
        int closeKey;
        const char* text;
    } cases[] = {{Qt::Key_Return, "chosen"}, {Qt::Key_Escape, "typed"}};
    Open();
    for (const auto& c : cases) {
        window.Edit1.SetText("typed");
        PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(window.Edit1.PopupVisible()) << c.text;
        window.Edit1.popup.value = "chosen";
        PressKey(Line(), c.closeKey);
        EXPECT_FALSE(window.Edit1.PopupVisible()) << c.text;
        EXPECT_EQ(window.Edit1.Text(), c.text);
    }
}

TEST_F(ComboEditTest, EnterAndEscapeWithTheDropDownClosedReachTheWindowsButtons) {
    const struct {
        int key;
        TModalResult result;
    } cases[] = {{Qt::Key_Return, mrOk}, {Qt::Key_Escape, mrCancel}};
    for (const auto& c : cases) {
        host.OnModal("EditWindow", [&](TForm&) {
            window.Edit1.SetFocus();
            PressKey(Line(), c.key);
        });
        EXPECT_EQ(window.ShowModal(), c.result);
    }
}

TEST_F(ComboEditTest, ReadOnlyKeepsTheDropDownShutAndDirectInputOnlyStopsTyping) {
    const struct {
        bool readOnly, directInput;
        bool opens, typed;
    } cases[] = {{false, true, true, true}, {true, true, false, false}, {false, false, true, false}};
    Open();
    for (const auto& c : cases) {
        window.Edit1.SetReadOnly(c.readOnly);
        window.Edit1.SetDirectInput(c.directInput);
        window.Edit1.SetText("");
        PressKey(Line(), Qt::Key_5, Qt::NoModifier, "5");
        EXPECT_EQ(window.Edit1.Text(), c.typed ? "5" : "") << c.readOnly << c.directInput;
        PressButton();
        EXPECT_EQ(window.Edit1.PopupVisible(), c.opens) << c.readOnly << c.directInput;
        PressKey(Line(), Qt::Key_Escape);
        EXPECT_FALSE(window.Edit1.PopupVisible());
    }
}

TEST_F(ComboEditTest, ADropDownThatDoesNotFitOpensAboveOrMovesLeft) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Open(screen.width() - 150, screen.height() - 80);
    window.Edit1.SetPopupAlign(epaLeft);
    PressButton();
    ASSERT_TRUE(window.Edit1.PopupVisible());
    EXPECT_EQ(PopupRect().bottom(), EditCorner().y() - 1); // above the edit
    EXPECT_LE(PopupRect().right(), screen.right());        // inside the screen on the right
    EXPECT_GE(PopupRect().left(), 0);
}

TEST_F(ComboEditTest, AClickOutsideOrOnTheTextOrLeavingTheFieldClosesWithoutAccepting) {
    const std::function<void(ComboEditTest&)> ways[] = {
        [](ComboEditTest& t) { ClickAt(t.window.Button1.Widget(), QPoint(3, 3)); },
        [](ComboEditTest& t) { ClickAt(t.Line(), QPoint(5, 5)); },
        [](ComboEditTest& t) { t.window.Edit2.SetFocus(); },
    };
    Open();
    for (const auto& way : ways) {
        window.Edit1.SetFocus();
        window.Edit1.SetText("kept");
        PressButton();
        ASSERT_TRUE(window.Edit1.PopupVisible());
        window.Edit1.popup.value = "dropped";
        way(*this);
        EXPECT_FALSE(window.Edit1.PopupVisible());
        EXPECT_EQ(window.Edit1.Text(), "kept");
    }
}

TEST_F(ComboEditTest, AReleaseInsideTheDropDownAcceptsAndOutsideItDoesNot) {
    Open();
    for (bool inside : {true, false}) {
        window.Edit1.SetText("before");
        PressButton();
        window.Edit1.popup.value = "after";
        QWidget* popup = window.Edit1.popup.Widget();
        ReleaseAt(popup, inside ? QPoint(10, 10) : QPoint(-5, 10));
        EXPECT_FALSE(window.Edit1.PopupVisible());
        EXPECT_EQ(window.Edit1.Text(), inside ? "after" : "before");
    }
}

TEST_F(ComboEditTest, TheEditGrowsToTheHeightItsFontNeeds) {
    QFont big = Line()->font();
    big.setPixelSize(30);
    Line()->setFont(big);
    Open();
    EXPECT_GE(window.Edit1.Height(), window.Edit1.MinimumHeight());
    EXPECT_GE(window.Edit1.MinimumHeight(), QFontMetrics(QApplication::font()).height() + 5);
}

TEST_F(ComboEditTest, ButtonPictureKindsSetTheButtonsWidthAndCells) {
    Open();
    window.Edit1.SetGlyphKind(gkEllipsis);
    EXPECT_EQ(window.Edit1.Button().NumGlyphs(), 1);
    EXPECT_EQ(window.Edit1.Glyph().width(), window.Edit1.ButtonWidth() - 6);
    EXPECT_EQ(window.Edit1.Glyph().height(), 4);
    QImage custom(32, 16, QImage::Format_ARGB32);
    custom.fill(Qt::red);
    window.Edit1.SetGlyph(custom);
    EXPECT_EQ(window.Edit1.GlyphKind(), gkCustom);
    EXPECT_EQ(window.Edit1.NumGlyphs(), 2);
    window.Edit1.SetButtonWidth(0);
    PressKey(Line(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(window.Edit1.PopupVisible()); // no button, no shortcut
}

TEST_F(ComboEditTest, TheOpenDropDownIsDrawnUnderTheEdit) {
    Open();
    window.Edit1.SetText("значение");
    PressButton();
    const QImage picture = GrabWindows({window.Widget(), window.Edit1.popup.Widget()});
    SavePicture(picture, "combo_edit_open");
    const QPoint edit = Line()->mapTo(window.Widget(), QPoint(0, 0));
    const QPoint below = edit + QPoint(Line()->width() - 5, Line()->height() + 5);
    EXPECT_EQ(PixelAt(picture, below.x(), below.y()), ColorToRGB(clBtnFace)); // the drop-down's face
}

} // namespace
