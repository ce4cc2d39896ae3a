#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLockFile>
#include <QPainter>
#include <cstdlib>

#include "controls/drawing_utils.h"
#include "controls/resource_strings.h"
#include "controls/resources.h"
#include "controls/tests/fixture.h"
#include "controls/window_utils.h"

namespace {

class DrawingUtilsTest : public ControlsTest {};

TEST_F(DrawingUtilsTest, DisabledBitmapIsADarkGlyphWithALightEdgeBelowAndRight) {
    // A black L on white: the black pixels are the glyph; one of them on the right edge.
    QImage source = FilledBitmap(4, 4, clWhite);
    for (QPoint p : {QPoint(1, 0), QPoint(1, 1), QPoint(2, 1), QPoint(3, 1)})
        source.setPixel(p, qRgb(0, 0, 0));
    const struct {
        bool highlight;
        int x, y;
        TColor expected;
    } cases[] = {
        {true, 1, 1, clGray},    {true, 1, 0, clGray},   {true, 2, 2, clWhite},  {true, 3, 2, clWhite},
        {true, 2, 0, clSilver},  {true, 0, 0, clSilver}, {true, 0, 3, clSilver}, {true, 2, 1, clGray},
        {false, 2, 2, clSilver}, {false, 1, 1, clGray},
    };
    for (const auto& c : cases) {
        const QImage disabled =
            CreateDisabledBitmapEx(source, clBlack, clSilver, clWhite, clGray, c.highlight);
        ASSERT_EQ(disabled.size(), source.size());
        EXPECT_EQ(ColorOfPixel(disabled.pixel(c.x, c.y)), c.expected)
            << c.highlight << " " << c.x << "," << c.y;
    }
    const QImage system = CreateDisabledBitmap(source, clBlack);
    EXPECT_EQ(ColorOfPixel(system.pixel(1, 1)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorOfPixel(system.pixel(2, 2)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ColorOfPixel(system.pixel(0, 3)), ColorToRGB(clBtnFace));
}

TEST_F(DrawingUtilsTest, GradientBandsAndTheRemainderAtTheFarEnd) {
    const TColor black = 0x000000, white = 0xFFFFFF;
    const struct {
        TRect rect;
        TFillDirection direction;
        int colors;
        int x, y;
        TColor expected; // clFuchsia: left untouched
    } cases[] = {
        {Rect(0, 0, 0, 10), fdTopToBottom, 5, 0, 0, clFuchsia}, // empty: nothing drawn
        {Rect(0, 0, 4, 10), fdTopToBottom, 1, 0, 9, black},     // one colour: the begin colour
        {Rect(0, 0, 4, 10), fdTopToBottom, 3, 0, 0, black},
        {Rect(0, 0, 4, 10), fdTopToBottom, 3, 0, 4, 0x7F7F7F},
        {Rect(0, 0, 4, 10), fdTopToBottom, 3, 0, 8, white},
        {Rect(0, 0, 4, 10), fdTopToBottom, 3, 0, 9, white},
        {Rect(0, 0, 4, 10), fdBottomToTop, 3, 0, 0, white},
        {Rect(0, 0, 4, 10), fdBottomToTop, 3, 0, 9, black},
        {Rect(0, 0, 10, 4), fdLeftToRight, 2, 0, 0, black},
        {Rect(0, 0, 10, 4), fdLeftToRight, 2, 9, 0, white},
        {Rect(0, 0, 10, 4), fdRightToLeft, 2, 0, 0, white},
        {Rect(0, 0, 10, 4), fdTopToBottom, 50, 0, 3, white},
    };
    for (const auto& c : cases) {
        QImage canvas = FilledBitmap(10, 10, clFuchsia);
        QPainter painter(&canvas);
        GradientFillRect(painter, c.rect, black, white, c.direction, c.colors);
        painter.end();
        EXPECT_EQ(ColorOfPixel(canvas.pixel(c.x, c.y)), c.expected)
            << c.direction << " " << c.colors << " at " << c.x << "," << c.y;
    }
}

TEST_F(DrawingUtilsTest, TextIsShortenedToFitAWidth) {
    const QFontMetrics metrics(QApplication::font());
    const QString text = "Периодический отчёт";
    EXPECT_EQ(MinimizeText(text, metrics, 1000), text);
    EXPECT_EQ(MinimizeText(text, metrics, 2), "...");
    const int width = metrics.horizontalAdvance("Период...");
    const QString shortened = MinimizeText(text, metrics, width);
    EXPECT_EQ(shortened, "Период...");
    EXPECT_LE(metrics.horizontalAdvance(shortened), width);
}

TEST_F(DrawingUtilsTest, BitmapCellsColoursAndPatterns) {
    QImage source = FilledBitmap(4, 4, clRed);
    source.setPixel(3, 3, qRgb(0, 0, 255));
    QImage cell;
    AssignBitmapCell(source, cell, 2, 2, 3);
    EXPECT_EQ(cell.size(), QSize(2, 2));
    EXPECT_EQ(ColorOfPixel(cell.pixel(1, 1)), clBlue);
    AssignBitmapCell(source, cell, 2, 2, 4);
    EXPECT_TRUE(cell.isNull());
    AssignBitmapCell(source, cell, 0, -3, 0); // at least one column and row
    EXPECT_EQ(cell.size(), QSize(4, 4));
    const QImage changed = ChangeBitmapColor(source, clRed, clLime);
    EXPECT_EQ(ColorOfPixel(changed.pixel(0, 0)), clLime);
    EXPECT_EQ(ColorOfPixel(changed.pixel(3, 3)), clBlue);
    const QImage pattern = CreateTwoColorsBrushPattern(clRed, clBlue);
    EXPECT_EQ(ColorOfPixel(pattern.pixel(0, 0)), clBlue);
    EXPECT_EQ(ColorOfPixel(pattern.pixel(1, 0)), clRed);
    EXPECT_EQ(ColorOfPixel(pattern.pixel(1, 1)), clBlue);
    EXPECT_EQ(TransparentColorOf(source), clRed);
    QImage shaded = FilledBitmap(8, 2, clWhite);
    QPainter painter(&shaded);
    ShadeRect(painter, Rect(0, 0, 8, 2));
    painter.end();
    EXPECT_EQ(ColorOfPixel(shaded.pixel(3, 0)), clBlack);
    EXPECT_EQ(ColorOfPixel(shaded.pixel(4, 0)), clWhite);
    EXPECT_EQ(ColorOfPixel(shaded.pixel(2, 1)), clBlack);
}

TEST_F(DrawingUtilsTest, PointsAndRectangles) {
    const TRect r = Rect(0, 0, 10, 5);
    EXPECT_TRUE(PointInRect({10, 5}, r));
    EXPECT_FALSE(PointInRect({11, 5}, r));
    EXPECT_EQ(WidthOf(r), 10);
    EXPECT_EQ(HeightOf(r), 5);
    EXPECT_TRUE(PointInPolyRgn({2, 1}, {{0, 0}, {10, 0}, {0, 10}}));
    EXPECT_FALSE(PointInPolyRgn({9, 9}, {{0, 0}, {10, 0}, {0, 10}}));
    EXPECT_FALSE(PointInPolyRgn({0, 0}, {{0, 0}, {10, 0}}));
    const TPoint base = GetAveCharSize(QFontMetrics(QApplication::font()));
    EXPECT_EQ(DialogUnitsToPixelsX(4), base.X);
    EXPECT_EQ(DialogUnitsToPixelsY(8), base.Y);
    EXPECT_EQ(PixelsToDialogUnitsX(base.X), 4);
}

TEST_F(DrawingUtilsTest, WaitCursorNests) {
    StopWait(); // without a start: nothing
    EXPECT_EQ(WaitNesting(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    StartWait();
    StartWait();
    StopWait();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    StopWait();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    StopWait();
    EXPECT_EQ(WaitNesting(), 0);
}

TEST_F(DrawingUtilsTest, MemoryBlocksKnowTheirSizeAndStartZeroed) {
    EXPECT_EQ(AllocMemo(0), nullptr);
    void* block = AllocMemo(8);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GetMemoSize(block), 8);
    static_cast<char*>(block)[7] = 5;
    block = ReallocMemo(block, 16);
    EXPECT_EQ(GetMemoSize(block), 16);
    EXPECT_EQ(static_cast<char*>(block)[7], 5);
    EXPECT_EQ(static_cast<char*>(block)[15], 0);
    FreeMemo(block);
    EXPECT_EQ(block, nullptr);
    FreeMemo(block); // nothing for none
    int items[5] = {1, 2, 3, 4, 5};
    HugeMove(items, 0, 2, 3);
    EXPECT_EQ(items[0], 3);
    EXPECT_EQ(items[2], 5);
    EXPECT_TRUE(CompareMem("abc", "abd", 2));
    EXPECT_FALSE(CompareMem("abc", "abd", 3));
}

TEST_F(DrawingUtilsTest, CommandLinesNamesAndTexts) {
    const struct {
        const char* line;
        const char* executable;
        const char* parameters;
    } cases[] = {
        {"\"/opt/Kaltor app/kaltor\" -port \"/dev/tty S0\" x", "/opt/Kaltor app/kaltor",
         "-port \"/dev/tty S0\" x"},
        {"kaltor", "kaltor", ""},
        {"  kaltor   a  b ", "kaltor", "a b"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        std::string executable, parameters;
        SplitCommandLine(c.line, executable, parameters);
        EXPECT_EQ(executable, c.executable) << c.line;
        EXPECT_EQ(parameters, c.parameters) << c.line;
    }
    EXPECT_EQ(DropT("TForm27"), "Form27");
    EXPECT_EQ(DropT("T"), "T");
    EXPECT_EQ(AnsiUpperFirstChar("дата"), "Дата");
    EXPECT_EQ(std::string(StrPAlloc("ab").data()), "ab");
    const std::string longValue(5000, 'x');
    setenv("KALTOR_CONTROLS_LONG", longValue.c_str(), 1);
    EXPECT_EQ(GetEnvVar("KALTOR_CONTROLS_LONG"), longValue); // no fixed buffer cuts it
    EXPECT_EQ(GetEnvVar("KALTOR_CONTROLS_UNSET"), "");
    EXPECT_EQ(ResourceString(61262), "Выбор даты");
    EXPECT_EQ(ResourceString(61258), "Предыдущий месяц|");
    EXPECT_EQ(ResourceString(61300), "");
}

TEST_F(DrawingUtilsTest, OneRunningCopyIsFoundThroughItsLock) {
    // The folder of the test program: the lock this process keeps goes with it at the end.
    const QDir runtime = QDir::current();
    setenv("XDG_RUNTIME_DIR", runtime.path().toUtf8().constData(), 1);
    EXPECT_FALSE(FindPrevInstance("TForm1", "Kaltor test")); // the first copy takes the lock
    EXPECT_FALSE(FindPrevInstance("TForm1", "Kaltor test")); // and keeps being the first
    QLockFile other(runtime.path() + "/kaltor-TForm1-Other_copy.lock");
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_TRUE(ActivatePrevInstance("TForm1", "Other copy"));
    unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(DrawingUtilsTest, SystemErrorsAndAbort) {
    EXPECT_NO_THROW(RaiseWin32Error(0));
    try {
        RaiseWin32Error(ENOENT);
        FAIL();
    } catch (const EOSError& error) {
        EXPECT_EQ(error.ErrorCode, ENOENT);
    }
    EXPECT_THROW(LoadDLL("libkaltor-no-such-library.so"), EOSError);
    EXPECT_FALSE(RegisterServer("anything"));
    EXPECT_EQ(GetWindowsVersion(), "");
    EXPECT_THROW(NotImplemented(), EAbort);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Функция не реализована"});
}

} // namespace
