// The shadow label and the scrolling panel: pictures checked at a few pixels, and the panel's run.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include "kit/secret_panel.h"
#include "kit/shadow_label.h"
#include "platform/clock/clock.h"
#include "platform/forms/tests/fixture.h"
#include "platform/forms/tests/run_until.h"

namespace {

QImage Picture(TControl& control, const std::string& name) {
    const std::string path = std::string(::testing::TempDir()) + "/" + name + ".png";
    EXPECT_TRUE(GrabToPng(*control.Widget(), path));
    return QImage(ToQ(path)).convertToFormat(QImage::Format_RGB32);
}

// Whether some pixel of the picture has the colour, and where the first one is.
bool Has(const QImage& picture, TColor color, QPoint* at = nullptr) {
    const QRgb wanted = ToQColor(color).rgb();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == wanted) {
                if (at) *at = {x, y};
                return true;
            }
    return false;
}

using LabelPanelTest = FormsTest;

TEST_F(LabelPanelTest, TheShadowLiesWhereItsPositionSays) {
    struct Case {
        TShadowPosition pos;
        int dx, dy;
    } cases[] = {{spLeftTop, -2, -2}, {spRightBottom, 2, 2}, {spLeftBottom, -2, 2}, {spRightTop, 2, -2}};
    for (const Case& c : cases) {
        TKxLabel label;
        label.SetCaption("ЖЖ");
        label.SetFontColor(clBlue);
        label.SetShadowColor(clRed);
        label.SetShadowSize(2);
        label.SetShadowPos(c.pos);
        label.SetFontBold(true);
        const QImage picture = Picture(label, "shadow_label_" + std::to_string(c.pos));
        QPoint text, shadow;
        ASSERT_TRUE(Has(picture, clBlue, &text)) << c.pos;
        ASSERT_TRUE(Has(picture, clRed, &shadow)) << c.pos;
        // The first pixel of the text in reading order, and the shadow's one, lie one offset apart.
        EXPECT_EQ((shadow.y() - text.y()) > 0, c.dy > 0) << c.pos;
    }
}

TEST_F(LabelPanelTest, ALabelWithoutAutoSizeTakesAnySizeAndRightAlignedTextKeepsItsRightEdge) {
    TKxLabel label;
    label.SetCaption("Итог");
    label.SetAutoSize(false);
    label.Widget()->resize(200, 50);
    EXPECT_EQ(label.Width(), 200);
    EXPECT_EQ(label.Height(), 50);

    TKxLabel right;
    right.SetAlignment(taRightJustify);
    right.SetCaption("1");
    right.Widget()->move(300, 10);
    const int edge = right.Widget()->x() + right.Width();
    right.SetCaption("1 234 567,89");
    EXPECT_GT(right.Width(), 20);
    EXPECT_EQ(right.Widget()->x() + right.Width(), edge);
    right.SetCaption("");
    EXPECT_EQ(right.Widget()->x() + right.Width(), edge);
}

class TLabelled : public TForm {
public:
    TLabelled() {
        Label1.SetCaption("&Сумма:");
        Label1.SetFocusControl(&Edit1);
        Label1.SetShowFocus(true);
        Label1.SetColor(clWhite);
        Column(*this).Add(Label1).Add(Edit1).Add(Edit2);
    }
    TKxLabel Label1;
    TEdit Edit1, Edit2;
};

TEST_F(LabelPanelTest, TheAcceleratorFocusesTheControlAndShowFocusFramesTheText) {
    TLabelled form;
    form.Show();
    form.Widget()->activateWindow();
    form.Edit2.SetFocus();
    QCoreApplication::processEvents();
    const QImage unfocused = Picture(form.Label1, "label_unfocused");
    QKeyEvent alt(QEvent::KeyPress, QKeySequence::mnemonic(ToQ("&С"))[0].key(), Qt::AltModifier, ToQ("с"));
    QCoreApplication::sendEvent(form.Edit2.Widget(), &alt);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.Edit1.Focused()) << "Alt+С moves the focus to the focus control";
    const QImage focused = Picture(form.Label1, "label_focused");
    EXPECT_NE(focused, unfocused) << "a focus rectangle around the text";
    form.Label1.SetShowFocus(false);
    EXPECT_EQ(Picture(form.Label1, "label_plain"), unfocused);
    form.Hide();
}

TEST_F(LabelPanelTest, ADisabledLabelIsGrayWithAShadowEvenOfSizeZero) {
    TKxLabel label;
    label.SetCaption("Выключено");
    label.SetShadowSize(0);
    label.SetColor(clWhite);
    label.SetEnabled(false);
    const QImage picture = Picture(label, "shadow_label_disabled");
    EXPECT_TRUE(Has(picture, clGrayText));
    label.SetEnabled(true);
    label.SetFontColor(clBlack);
    EXPECT_FALSE(Has(Picture(label, "shadow_label_enabled"), clGrayText));

    TKxLabel empty;
    empty.SetCaption("x");
    const int oneLine = empty.Height();
    empty.SetCaption("");
    EXPECT_EQ(empty.Height(), oneLine) << "an empty caption keeps the height of one line";
}

TEST_F(LabelPanelTest, APanelScrollsItsLinesAndStopsByItselfShowingItsChildrenAgain) {
    SetTimeScale(0.1);
    TSecretPanel panel;
    TButton Button1;
    Button1.SetCaption("Пуск");
    panel.InsertControl(Button1);
    panel.Widget()->resize(200, 60);
    panel.Widget()->show();
    panel.SetColor(clWhite);
    panel.SetFontColor(clNavy);
    panel.Lines().Assign(std::vector<std::string>{"", "  ", "Касса готова", "Kaltor"});
    int started = 0, stopped = 0;
    panel.OnStartPlay = [&] { ++started; };
    panel.OnStopPlay = [&] { ++stopped; };
    panel.SetInterval(1);
    panel.Play();
    EXPECT_FALSE(Button1.Widget()->isVisible());
    const QFontMetrics metrics(panel.Widget()->font());
    EXPECT_EQ(panel.ScrollEnd(), (60 - 8) + 2 * (metrics.height() + metrics.leading()))
        << "blank leading lines are not counted";
    ASSERT_TRUE(RunUntil([&] { return panel.Position() > 40; }));
    QCoreApplication::processEvents();
    const QImage running = Picture(panel, "secret_panel_running");
    EXPECT_TRUE(Has(running, clNavy)) << "the text is on its way up";
    EXPECT_TRUE(RunUntil([&] { return !panel.Active(); }));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(stopped, 1);
    EXPECT_TRUE(Button1.Widget()->isVisible());
    SetTimeScale(1.0);
}

TEST_F(LabelPanelTest, NewLinesRestartTheScrollAndDestroyingWhileRunningIsSafe) {
    SetTimeScale(0.1);
    for (bool async : {true, false}) {
        auto panel = std::make_unique<TSecretPanel>();
        panel->Widget()->resize(150, 50);
        panel->SetAsyncDrawing(async);
        panel->SetCycled(true);
        panel->SetInterval(1);
        panel->Lines().Assign(std::vector<std::string>{"Первая", "Вторая"});
        panel->Play();
        ASSERT_TRUE(RunUntil([&] { return panel->Position() > 10; })) << async;
        panel->Lines().Add("Третья");
        EXPECT_LT(panel->Position(), 5) << async;
        RunFor(20);
        panel.reset(); // the timer's worker may be in the middle of a step
        RunFor(10);
    }
    SetTimeScale(1.0);
}

} // namespace
