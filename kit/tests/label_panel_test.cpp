// The shadow label and the scrolling panel: pictures checked at a few pixels, and the panel's run.
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <thread>

#include "kit/secret_panel.h"
#include "kit/shadow_label.h"
#include "platform/clock/clock.h"
#include "platform/forms/tests/fixture.h"

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

class LabelPanelTest : public FormsTest {
protected:
    bool RunUntil(const std::function<bool()>& done, int limitMs = 3000) {
        const int64_t end = MonotonicMs() + limitMs;
        while (!done() && MonotonicMs() < end) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
};

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
        RunUntil([] { return false; }, 20);
        panel.reset(); // the timer's worker may be in the middle of a step
        RunUntil([] { return false; }, 10);
    }
    SetTimeScale(1.0);
}

} // namespace
