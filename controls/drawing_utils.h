#pragma once
// Drawing helpers over QImage and QPainter: bitmap cells, transparent and embossed (disabled) images,
// colours, rectangles, gradient fills and text that fits a width.
//
// A bitmap is a QImage; its transparent colour is the colour of its bottom-left pixel, as the class
// library's bitmaps have it. Rectangles are the library's: Right and Bottom lie just outside.
#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "platform/forms/types.h"

class QPainter;
class QFont;
class QFontMetrics;
class QWidget;
class QIcon;

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
inline int WidthOf(const TRect& r) {
    return r.Right - r.Left;
}
inline int HeightOf(const TRect& r) {
    return r.Bottom - r.Top;
}
// Edges included.
inline bool PointInRect(const TPoint& p, const TRect& r) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Inside the polygon by the alternate (even-odd) rule.
bool PointInPolyRgn(const TPoint& p, const std::vector<TPoint>& points);
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);
// Grows (negative: shrinks) a rectangle on every side.
TRect InflateRect(const TRect& r, int dx, int dy);
TRect OffsetRect(const TRect& r, int dx, int dy);

// Inverted rectangles and frames straight on the screen: Qt draws only inside our own windows, so
// these draw nothing.
inline void PaintInverseRect(const TPoint& /*point1*/, const TPoint& /*point2*/) {}
inline void DrawInvertFrame(const TRect& /*rect*/, int /*width*/) {}

// ---- Colours ---------------------------------------------------------------------
// A system colour resolved to its RGB value (0x00BBGGRR); other colours unchanged.
TColor ColorToRGB(TColor color);
TColor ColorOfPixel(QRgb pixel);
QRgb PixelOfColor(TColor color);
// The palette-relative form of a colour (the 02h flag in its top byte).
inline TColor PaletteColor(TColor color) {
    return ColorToRGB(color) | 0x02000000;
}
// Colours are drawn straight from RGB here: there is no palette, so no entries.
inline int PaletteEntries(const void* /*palette*/) {
    return 0;
}

// ---- Bitmaps ----------------------------------------------------------------------
// A bitmap of the size filled with one colour.
QImage FilledBitmap(int width, int height, TColor color);
// The colour of the bottom-left pixel; clFuchsia for an empty bitmap.
TColor TransparentColorOf(const QImage& bitmap);
// The same picture with every pixel of the colour made see-through.
QImage MaskedByColor(const QImage& bitmap, TColor transparent);

// Cell index of a source split into cols x rows equal cells, row-major; the destination takes the
// cell's size. Out-of-range arguments give an empty destination.
void AssignBitmapCell(const QImage& source, QImage& destination, int cols, int rows, int index);
// Stretched copy in which pixels of the transparent colour leave the destination unchanged.
void StretchBltTransparent(QPainter& destination, int x, int y, int w, int h, const QImage& source, int sx,
                           int sy, int sw, int sh, TColor transparent);
void DrawTransparentBitmap(QPainter& painter, const QImage& bitmap, int x, int y, TColor transparent);
void DrawBitmapTransparent(QPainter& painter, int x, int y, const QImage& bitmap, TColor transparent);
void DrawBitmapRectTransparent(QPainter& painter, int x, int y, const TRect& rect, const QImage& bitmap,
                               TColor transparent);
void StretchBitmapRectTransparent(QPainter& painter, int x, int y, int w, int h, const TRect& rect,
                                  const QImage& bitmap, TColor transparent);
QImage ChangeBitmapColor(const QImage& bitmap, TColor color, TColor newColor);

// The embossed look of a disabled glyph: the pixels of the outline colour form the glyph, drawn in
// the shadow colour, with a copy in the highlight colour one pixel to the right and below (when
// drawHighlight); every other pixel takes the back colour.
QImage CreateDisabledBitmapEx(const QImage& source, TColor outlineColor, TColor backColor,
                              TColor highlightColor, TColor shadowColor, bool drawHighlight);
QImage CreateDisabledBitmap(const QImage& source, TColor outlineColor);
// An 8 x 8 checkerboard: colour1, with colour2 where row and column have the same parity.
QImage CreateTwoColorsBrushPattern(TColor color1, TColor color2);
// Darkens the rectangle along a pattern of diagonal lines.
void ShadeRect(QPainter& painter, const TRect& rect);

// ---- Icons ---------------------------------------------------------------------------
QImage CreateBitmapFromIcon(const QIcon& icon, TColor backColor);
QIcon CreateIconFromBitmap(const QImage& bitmap, TColor transparent);

// ---- Text --------------------------------------------------------------------------------
// The text when it fits; otherwise the longest prefix followed by "..." that fits (at least "...").
QString MinimizeText(const QString& text, const QFontMetrics& metrics, int maxWidth);
std::string MinimizeText(const std::string& text, const QFontMetrics& metrics, int maxWidth);
// Average character width and height from the letters A-Z and a-z.
TPoint GetAveCharSize(const QFontMetrics& metrics);
// A copy of the font for text turned by the angle in degrees (escapement is tenths of a degree).
QFont CreateRotatedFont(const QFont& font, int angle, int& escapement);

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };
void GradientFillRect(QPainter& painter, const TRect& rect, TColor beginColor, TColor endColor,
                      TFillDirection direction, int colors);

enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };
// Text in a rectangle, moved by dx, dy inside it, with the alignment, word wrap and reading order.
void WriteText(QPainter& painter, const TRect& rect, int dx, int dy, const std::string& text,
               TAlignment alignment, bool wordWrap, bool rightToLeft);
// Text in a grid cell: the vertical offset from the cell's top follows the vertical alignment.
void DrawCellTextEx(QPainter& painter, const TRect& rect, const std::string& text, TAlignment alignment,
                    TVertAlignment vertAlignment, bool wordWrap, bool rightToLeft);
void DrawCellText(QPainter& painter, const TRect& rect, const std::string& text, TAlignment alignment);
void DrawCellBitmap(QPainter& painter, const TRect& rect, const QImage& graphic);
// Paints into the painter what lies under a window-less control: the parent's background and every
// visible sibling before the control that overlaps it, in the control's coordinates.
void CopyParentImage(QWidget& control, QPainter& painter);

// ---- Dialog units (from the application font) ------------------------------------------------
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
int PixelsToDialogUnitsX(int pixels);
int PixelsToDialogUnitsY(int pixels);
