#include "controls/drawing_utils.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QWidget>
#include <algorithm>

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

TRect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

TRect InflateRect(const TRect& r, int dx, int dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

TRect OffsetRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool PointInPolyRgn(const TPoint& p, const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (const TPoint& point : points)
        polygon << QPoint(point.X, point.Y);
    return points.size() >= 3 && polygon.containsPoint(QPoint(p.X, p.Y), Qt::OddEvenFill);
}

// ---- Colours -----------------------------------------------------------------------

TColor ColorToRGB(TColor color) {
    if (!(color & clSystemColor)) return color & 0x00FFFFFF;
    const QColor q = ToQColor(color);
    return q.red() | (q.green() << 8) | (q.blue() << 16);
}

TColor ColorOfPixel(QRgb pixel) {
    return qRed(pixel) | (qGreen(pixel) << 8) | (qBlue(pixel) << 16);
}

QRgb PixelOfColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// ---- Bitmaps -------------------------------------------------------------------------

QImage FilledBitmap(int width, int height, TColor color) {
    QImage bitmap(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32);
    bitmap.fill(PixelOfColor(color));
    return bitmap;
}

TColor TransparentColorOf(const QImage& bitmap) {
    if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0) return clFuchsia;
    return ColorOfPixel(bitmap.pixel(0, bitmap.height() - 1));
}

QImage MaskedByColor(const QImage& bitmap, TColor transparent) {
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    const TColor key = ColorToRGB(transparent);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (ColorOfPixel(out.pixel(x, y)) == key) out.setPixel(x, y, qRgba(0, 0, 0, 0));
    return out;
}

void AssignBitmapCell(const QImage& source, QImage& destination, int cols, int rows, int index) {
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    index = std::max(index, 0);
    const int width = source.width() / cols, height = source.height() / rows;
    if (width <= 0 || height <= 0 || index >= cols * rows) {
        destination = QImage();
        return;
    }
    destination = source.copy((index % cols) * width, (index / cols) * height, width, height);
}

void StretchBltTransparent(QPainter& destination, int x, int y, int w, int h, const QImage& source, int sx,
                           int sy, int sw, int sh, TColor transparent) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || source.isNull()) return;
    const QImage part = MaskedByColor(source.copy(sx, sy, sw, sh), transparent);
    destination.drawImage(QRect(x, y, w, h), part);
}

void DrawTransparentBitmap(QPainter& painter, const QImage& bitmap, int x, int y, TColor transparent) {
    StretchBltTransparent(painter, x, y, bitmap.width(), bitmap.height(), bitmap, 0, 0, bitmap.width(),
                          bitmap.height(), transparent);
}

void DrawBitmapTransparent(QPainter& painter, int x, int y, const QImage& bitmap, TColor transparent) {
    DrawTransparentBitmap(painter, bitmap, x, y, transparent);
}

void DrawBitmapRectTransparent(QPainter& painter, int x, int y, const TRect& rect, const QImage& bitmap,
                               TColor transparent) {
    StretchBltTransparent(painter, x, y, WidthOf(rect), HeightOf(rect), bitmap, rect.Left, rect.Top,
                          WidthOf(rect), HeightOf(rect), transparent);
}

void StretchBitmapRectTransparent(QPainter& painter, int x, int y, int w, int h, const TRect& rect,
                                  const QImage& bitmap, TColor transparent) {
    StretchBltTransparent(painter, x, y, w, h, bitmap, rect.Left, rect.Top, WidthOf(rect), HeightOf(rect),
                          transparent);
}

QImage ChangeBitmapColor(const QImage& bitmap, TColor color, TColor newColor) {
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    const TColor key = ColorToRGB(color);
    const QRgb replacement = PixelOfColor(newColor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (ColorOfPixel(out.pixel(x, y)) == key) out.setPixel(x, y, replacement);
    return out;
}

QImage CreateDisabledBitmapEx(const QImage& source, TColor outlineColor, TColor backColor,
                              TColor highlightColor, TColor shadowColor, bool drawHighlight) {
    QImage result = FilledBitmap(source.width(), source.height(), backColor);
    const TColor outline = ColorToRGB(outlineColor);
    auto stamp = [&](int dx, int dy, QRgb ink) {
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x) {
                const int tx = x + dx, ty = y + dy;
                if (tx < result.width() && ty < result.height() &&
                    ColorOfPixel(source.pixel(x, y)) == outline)
                    result.setPixel(tx, ty, ink);
            }
    };
    if (drawHighlight) stamp(1, 1, PixelOfColor(highlightColor));
    stamp(0, 0, PixelOfColor(shadowColor));
    return result;
}

QImage CreateDisabledBitmap(const QImage& source, TColor outlineColor) {
    return CreateDisabledBitmapEx(source, outlineColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

QImage CreateTwoColorsBrushPattern(TColor color1, TColor color2) {
    QImage pattern = FilledBitmap(8, 8, color1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x % 2 == y % 2) pattern.setPixel(x, y, PixelOfColor(color2));
    return pattern;
}

void ShadeRect(QPainter& painter, const TRect& rect) {
    static const unsigned char kRows[8] = {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88};
    painter.save();
    painter.setPen(Qt::black);
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if ((kRows[((y % 8) + 8) % 8] >> (7 - ((x % 8) + 8) % 8)) & 1) painter.drawPoint(x, y);
    painter.restore();
}

// ---- Icons ------------------------------------------------------------------------------

QImage CreateBitmapFromIcon(const QIcon& icon, TColor backColor) {
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(32, 32) : sizes.front();
    QImage bitmap = FilledBitmap(size.width(), size.height(), backColor);
    QPainter painter(&bitmap);
    icon.paint(&painter, bitmap.rect());
    return bitmap;
}

QIcon CreateIconFromBitmap(const QImage& bitmap, TColor transparent) {
    return QIcon(QPixmap::fromImage(MaskedByColor(bitmap, transparent)));
}

// ---- Text ----------------------------------------------------------------------------------

QString MinimizeText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    if (metrics.horizontalAdvance(text) <= maxWidth) return text;
    for (qsizetype length = text.size() - 1; length > 0; --length) {
        const QString shortened = text.left(length) + "...";
        if (metrics.horizontalAdvance(shortened) <= maxWidth) return shortened;
    }
    return "...";
}

std::string MinimizeText(const std::string& text, const QFontMetrics& metrics, int maxWidth) {
    return MinimizeText(QString::fromStdString(text), metrics, maxWidth).toStdString();
}

TPoint GetAveCharSize(const QFontMetrics& metrics) {
    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return {metrics.horizontalAdvance(letters) / 52, metrics.height()};
}

QFont CreateRotatedFont(const QFont& font, int angle, int& escapement) {
    QFont rotated = font;
    rotated.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    if (font.family() == "Default") rotated.setFamily(QApplication::font().family());
    escapement = angle * 10;
    return rotated;
}

namespace {

QColor Channelwise(TColor start, TColor stop, int i, int last) {
    auto part = [&](int shift) {
        const int a = (start >> shift) & 0xFF, b = (stop >> shift) & 0xFF;
        return a + i * (b - a) / last;
    };
    return QColor(part(0), part(8), part(16));
}

int AlignFlags(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

void GradientFillRect(QPainter& painter, const TRect& rect, TColor beginColor, TColor endColor,
                      TFillDirection direction, int colors) {
    if (WidthOf(rect) <= 0 || HeightOf(rect) <= 0) return;
    const TColor begin = ColorToRGB(beginColor), end = ColorToRGB(endColor);
    if (colors < 2) {
        painter.fillRect(ToQRect(rect), ToQColor(begin));
        return;
    }
    const bool vertical = direction == fdTopToBottom || direction == fdBottomToTop;
    const bool forward = direction == fdTopToBottom || direction == fdLeftToRight;
    const int extent = vertical ? HeightOf(rect) : WidthOf(rect);
    const int n = std::max(2, std::min(colors, extent));
    const int band = extent / n;
    const TColor start = forward ? begin : end, stop = forward ? end : begin;
    auto fill = [&](int from, int length, const QColor& color) {
        if (length <= 0) return;
        const QRect area = vertical ? QRect(rect.Left, rect.Top + from, WidthOf(rect), length)
                                    : QRect(rect.Left + from, rect.Top, length, HeightOf(rect));
        painter.fillRect(area, color);
    };
    for (int i = 0; i < n; ++i)
        fill(i * band, band, Channelwise(start, stop, i, n - 1));
    fill(n * band, extent - n * band, ToQColor(forward ? end : begin));
}

void WriteText(QPainter& painter, const TRect& rect, int dx, int dy, const std::string& text,
               TAlignment alignment, bool wordWrap, bool rightToLeft) {
    const QRect area(rect.Left + dx, rect.Top + dy, WidthOf(rect) - dx, HeightOf(rect) - dy);
    int flags = AlignFlags(alignment) | Qt::AlignTop;
    if (wordWrap) flags |= Qt::TextWordWrap;
    painter.save();
    painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    painter.setClipRect(ToQRect(rect));
    painter.drawText(area, flags, QString::fromStdString(text));
    painter.restore();
}

void DrawCellTextEx(QPainter& painter, const TRect& rect, const std::string& text, TAlignment alignment,
                    TVertAlignment vertAlignment, bool wordWrap, bool rightToLeft) {
    const int lineHeight = painter.fontMetrics().height();
    int dy = 2;
    if (vertAlignment == vaCenter) dy = std::max(1, (HeightOf(rect) - lineHeight) / 2);
    if (vertAlignment == vaBottomJustify) dy = std::max(2, HeightOf(rect) - lineHeight);
    WriteText(painter, rect, 2, dy, text, alignment, wordWrap, rightToLeft);
}

void DrawCellText(QPainter& painter, const TRect& rect, const std::string& text, TAlignment alignment) {
    DrawCellTextEx(painter, rect, text, alignment, vaTopJustify, false, false);
}

void DrawCellBitmap(QPainter& painter, const TRect& rect, const QImage& graphic) {
    if (graphic.isNull()) return;
    painter.drawImage((rect.Left + rect.Right - graphic.width()) / 2,
                      (rect.Top + rect.Bottom - graphic.height()) / 2, graphic);
}

void CopyParentImage(QWidget& control, QPainter& painter) {
    QWidget* parent = control.parentWidget();
    if (!parent) return;
    const QRect area = control.geometry();
    painter.save();
    parent->render(painter.device(), -area.topLeft(), QRegion(area), QWidget::DrawWindowBackground);
    for (QObject* child : parent->children()) {
        if (child == &control) break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || !sibling->isVisible() || sibling->isWindow()) continue;
        const QRect overlap = sibling->geometry().intersected(area);
        if (overlap.isEmpty()) continue;
        sibling->render(painter.device(), overlap.topLeft() - area.topLeft(),
                        QRegion(overlap.translated(-sibling->pos())), QWidget::DrawWindowBackground);
    }
    painter.restore();
}

// ---- Dialog units ------------------------------------------------------------------------------

namespace {
TPoint DialogBaseUnits() {
    return GetAveCharSize(QFontMetrics(QApplication::font()));
}
int MulDiv(int value, int numerator, int denominator) {
    if (denominator == 0) return 0;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) / denominator);
}
} // namespace

int DialogUnitsToPixelsX(int units) {
    return MulDiv(units, DialogBaseUnits().X, 4);
}
int DialogUnitsToPixelsY(int units) {
    return MulDiv(units, DialogBaseUnits().Y, 8);
}
int PixelsToDialogUnitsX(int pixels) {
    return MulDiv(pixels, 4, DialogBaseUnits().X);
}
int PixelsToDialogUnitsY(int pixels) {
    return MulDiv(pixels, 8, DialogBaseUnits().Y);
}
