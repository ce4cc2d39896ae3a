#include "controls/button_glyph.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <memory>

#include "controls/glyph_list.h"

namespace {

std::unique_ptr<TGlyphCache> glyphCache;
int liveGlyphs = 0;

constexpr int kMarkRoom = 9;   // a drop-down mark beside the caption
constexpr int kMarkMargin = 6; // a drop-down mark beside the glyph

// Frees the cache once no glyph object is left and no list is in it.
void ReleaseCacheWhenUnused() {
    if (liveGlyphs == 0 && glyphCache && glyphCache->Empty()) glyphCache.reset();
}

int QtTextFlags(unsigned flags) {
    int qt = Qt::AlignVCenter;
    if (flags & DT_CENTER)
        qt |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        qt |= Qt::AlignRight;
    else
        qt |= Qt::AlignLeft;
    if (flags & DT_WORDBREAK) qt |= Qt::TextWordWrap;
    return qt;
}

unsigned AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify:
        return DT_LEFT;
    case taRightJustify:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

} // namespace

TGlyphCache* GlyphCache() {
    return glyphCache.get();
}

void Frame3D(QPainter& painter, TRect& rect, TColor topLeft, TColor bottomRight) {
    const int right = rect.Right - 1, bottom = rect.Bottom - 1;
    painter.setPen(ToQColor(topLeft));
    painter.drawLine(rect.Left, bottom, rect.Left, rect.Top);
    painter.drawLine(rect.Left, rect.Top, right, rect.Top);
    painter.setPen(ToQColor(bottomRight));
    painter.drawLine(right, rect.Top, right, bottom);
    painter.drawLine(right, bottom, rect.Left, bottom);
    rect = InflateRect(rect, -1, -1);
}

TKxButtonGlyph::TKxButtonGlyph() {
    if (!glyphCache) glyphCache = std::make_unique<TGlyphCache>();
    ++liveGlyphs;
}

TKxButtonGlyph::~TKxButtonGlyph() {
    Invalidate();
    --liveGlyphs;
    ReleaseCacheWhenUnused();
}

int TKxButtonGlyph::LiveCount() {
    return liveGlyphs;
}

void TKxButtonGlyph::SetGlyph(const QImage& glyph) {
    Invalidate();
    original_ = glyph.isNull() ? QImage() : glyph.convertToFormat(QImage::Format_ARGB32);
    GlyphChanged();
}

void TKxButtonGlyph::SetNumGlyphs(int count) {
    if (count < 1) return;
    count = std::min(count, 5);
    if (count == numGlyphs_) return;
    Invalidate();
    numGlyphs_ = count;
    Fire(OnChange);
}

void TKxButtonGlyph::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    Fire(OnChange);
}

void TKxButtonGlyph::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Fire(OnChange);
}

void TKxButtonGlyph::GlyphChanged() {
    Invalidate();
    if (original_.height() > 0) {
        transparentColor_ = TransparentColorOf(original_) & ~0x02000000;
        if (original_.width() % original_.height() == 0) {
            const int cells = original_.width() / original_.height();
            numGlyphs_ = cells > 5 ? 1 : std::max(cells, 1);
        }
    }
    Fire(OnChange);
}

void TKxButtonGlyph::Invalidate() {
    if (glyphList_) {
        for (int& index : indexes_)
            if (index != -1) glyphList_->Delete(index);
        for (auto& [key, cells] : imageCells_)
            for (int index : cells)
                if (index != -1) glyphList_->Delete(index);
        if (glyphCache) glyphCache->ReturnList(*glyphList_);
        glyphList_ = nullptr;
    }
    indexes_.fill(-1);
    imageCells_.clear();
    ReleaseCacheWhenUnused();
}

TColor TKxButtonGlyph::MapColor(TColor color) const {
    const TColor rgb = ColorToRGB(color);
    if (rgb == ColorToRGB(transparentColor_) || rgb == ColorToRGB(clBtnFace)) return color;
    const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    const int i = (r * 77 + g * 150 + b * 29) >> 8;
    return i | (i << 8) | (i << 16);
}

TGlyphList& TKxButtonGlyph::List(int width, int height) {
    if (glyphList_ && (glyphList_->Width() != width || glyphList_->Height() != height)) Invalidate();
    if (!glyphCache) glyphCache = std::make_unique<TGlyphCache>();
    if (!glyphList_) glyphList_ = &glyphCache->GetList(width, height);
    return *glyphList_;
}

QImage TKxButtonGlyph::SourceCell(int cell) const {
    const int width = original_.width() / numGlyphs_;
    return original_.copy(cell * width, 0, width, original_.height());
}

int TKxButtonGlyph::CreateButtonGlyph(TKxButtonState state) {
    if (state == rbsDown && numGlyphs_ < 3) state = rbsUp;
    if (indexes_[state] != -1) return indexes_[state];
    const int width = original_.isNull() ? 0 : original_.width() / numGlyphs_;
    if (width == 0 || original_.height() == 0) return -1;
    TGlyphList& list = List(width, original_.height());
    const int sourceCell = static_cast<int>(state) < numGlyphs_ ? static_cast<int>(state) : 0;
    QImage cell;
    TColor mask = transparentColor_;
    switch (state) {
    case rbsDisabled:
        if (numGlyphs_ == 1) {
            cell = CreateDisabledBitmap(original_, clBlack);
            mask = clBtnFace;
        } else {
            cell = SourceCell(1);
        }
        break;
    case rbsInactive:
        cell = SourceCell(numGlyphs_ == 5 ? 4 : 0);
        if (numGlyphs_ != 5)
            for (int y = 0; y < cell.height(); ++y)
                for (int x = 0; x < cell.width(); ++x)
                    cell.setPixel(x, y, PixelOfColor(MapColor(ColorOfPixel(cell.pixel(x, y)))));
        break;
    default:
        cell = SourceCell(sourceCell);
        break;
    }
    indexes_[state] = list.AddMasked(cell, mask);
    return indexes_[state];
}

int TKxButtonGlyph::CreateImageGlyph(TKxButtonState state, TImageList* images, int index) {
    if (!images || images->Width() == 0 || images->Height() == 0 || images->Count() == 0) return -1;
    if (state == rbsDown) state = rbsUp;
    auto [found, inserted] = imageCells_.try_emplace({images, index});
    if (inserted) found->second.fill(-1);
    int& cached = found->second[state];
    if (cached != -1) return cached;
    TGlyphList& list = List(images->Width(), images->Height());
    QImage cell = FilledBitmap(images->Width(), images->Height(), clBtnFace);
    QPainter painter(&cell);
    if (state == rbsDisabled) {
        ImageListDrawDisabled(*images, painter, 0, 0, index, clBtnHighlight, clBtnShadow, true);
    } else {
        images->Draw(painter, 0, 0, index);
    }
    painter.end();
    if (state == rbsInactive)
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                cell.setPixel(x, y, PixelOfColor(MapColor(ColorOfPixel(cell.pixel(x, y)))));
    cached = list.AddMasked(cell, clBtnFace);
    return cached;
}

std::string TKxButtonGlyph::MinimizeCaption(QPainter& painter, const std::string& caption, int width) const {
    if (wordWrap_) return caption;
    const QFontMetrics metrics = painter.fontMetrics();
    QStringList lines = QString::fromStdString(caption).split('\n');
    for (QString& line : lines)
        line = MinimizeText(line, metrics, width);
    QString joined = lines.join('\n');
    while (joined.endsWith(' '))
        joined.chop(1);
    return joined.toStdString();
}

TButtonLayoutResult TKxButtonGlyph::CalcButtonLayout(QPainter& painter, const TRect& client,
                                                     const std::string& caption, TButtonLayout layout,
                                                     int margin, int spacing, bool popupMark,
                                                     TImageList* images, int imageIndex,
                                                     unsigned flags) const {
    TButtonLayoutResult out;
    const TPoint clientSize{WidthOf(client), HeightOf(client)};
    const bool useImages = images && images->Width() >= 1 && imageIndex >= 0 && imageIndex < images->Count();
    TPoint glyphSize = useImages ? TPoint{images->Width(), images->Height()}
                                 : TPoint{original_.isNull() ? 0 : original_.width() / numGlyphs_,
                                          original_.isNull() ? 0 : original_.height()};
    const bool sideways = layout == blGlyphLeft || layout == blGlyphRight;
    TPoint room = clientSize;
    const int marginRoom = margin == -1 ? 0 : margin, spacingRoom = spacing == -1 ? 0 : spacing;
    if (sideways)
        room.X = clientSize.X - glyphSize.X - marginRoom - spacingRoom - (popupMark ? kMarkRoom : 0);
    else
        room.Y = clientSize.Y - glyphSize.Y - marginRoom - spacingRoom;
    room.X = std::max(room.X, 0);
    room.Y = std::max(room.Y, 0);

    out.caption = MinimizeCaption(painter, caption, room.X);
    TPoint textSize;
    if (!out.caption.empty()) {
        const int qtFlags = QtTextFlags(DT_CENTER | (wordWrap_ ? DT_WORDBREAK : 0) | flags);
        const QRect measured = painter.fontMetrics().boundingRect(
            QRect(0, 0, room.X, 10000), qtFlags & ~Qt::AlignVCenter, QString::fromStdString(out.caption));
        textSize = {std::clamp(measured.width(), 0, room.X), std::clamp(measured.height(), 0, room.Y)};
    }
    if (popupMark) {
        if (glyphSize.X == 0 || glyphSize.Y == 0 || layout == blGlyphLeft)
            textSize.X += kMarkRoom;
        else
            glyphSize.X += kMarkMargin;
    }
    TPoint glyphPos, textPos;
    if (sideways) {
        glyphPos.Y = clientSize.Y / 2 - glyphSize.Y / 2;
        textPos.Y = clientSize.Y / 2 - textSize.Y / 2;
    } else {
        glyphPos.X = clientSize.X / 2 - glyphSize.X / 2;
        textPos.X = clientSize.X / 2 - textSize.X / 2;
    }
    if (textSize.X == 0 || glyphSize.X == 0) spacing = 0;
    const int clientAxis = sideways ? clientSize.X : clientSize.Y;
    const int glyphAxis = sideways ? glyphSize.X : glyphSize.Y;
    const int textAxis = sideways ? textSize.X : textSize.Y;
    if (margin == -1 && spacing != -1) {
        margin = clientAxis / 2 - (glyphAxis + spacing + textAxis) / 2;
    } else if (margin == -1) {
        margin = (clientAxis - (glyphAxis + textAxis)) / 3;
        spacing = margin;
    } else if (spacing == -1) {
        spacing = (clientAxis - (margin + glyphAxis)) / 2 - textAxis / 2;
    }
    int& glyphAt = sideways ? glyphPos.X : glyphPos.Y;
    int& textAt = sideways ? textPos.X : textPos.Y;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAt = margin;
        textAt = glyphAt + glyphAxis + spacing;
    } else {
        glyphAt = clientAxis - margin - glyphAxis;
        textAt = glyphAt - spacing - textAxis;
    }
    out.glyphPos = {glyphPos.X + client.Left, glyphPos.Y + client.Top};
    out.textBounds = Bounds(textPos.X + client.Left, textPos.Y + client.Top, textSize.X, textSize.Y);
    out.glyphSize = glyphSize;
    return out;
}

TPoint TKxButtonGlyph::DrawButtonGlyph(QPainter& painter, const TPoint& at, TKxButtonState state) {
    const int index = CreateButtonGlyph(state);
    if (index == -1 || !glyphList_) return {};
    glyphList_->Draw(painter, at.X, at.Y, index);
    return {glyphList_->Width(), glyphList_->Height()};
}

TPoint TKxButtonGlyph::DrawButtonImage(QPainter& painter, const TPoint& at, TImageList& images, int index,
                                       TKxButtonState state) {
    if (state == rbsDisabled) {
        const int cell = CreateImageGlyph(state, &images, index);
        if (cell != -1 && glyphList_) glyphList_->Draw(painter, at.X, at.Y, cell);
    } else if (state == rbsInactive) {
        const int cell = CreateImageGlyph(state, &images, index);
        if (cell != -1 && glyphList_) glyphList_->Draw(painter, at.X, at.Y, cell);
    } else {
        images.Draw(painter, at.X, at.Y, index);
    }
    return {images.Width(), images.Height()};
}

void TKxButtonGlyph::DrawButtonText(QPainter& painter, const std::string& caption, const TRect& bounds,
                                    TKxButtonState state, unsigned flags) const {
    if (caption.empty()) return;
    const int qtFlags = QtTextFlags(DT_VCENTER | (wordWrap_ ? DT_WORDBREAK : 0) | flags);
    const QString text = QString::fromStdString(caption);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (state == rbsDisabled) {
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawText(ToQRect(OffsetRect(bounds, 1, 1)), qtFlags, text);
        painter.setPen(ToQColor(clBtnShadow));
    }
    painter.drawText(ToQRect(bounds), qtFlags, text);
    painter.restore();
}

void TKxButtonGlyph::DrawPopupMark(QPainter& painter, int x, int y, TKxButtonState state) const {
    auto triangle = [&](int ox, int oy, TColor color) {
        painter.setPen(ToQColor(color));
        painter.drawLine(ox, oy - 1, ox + 6, oy - 1);
        painter.drawLine(ox + 1, oy, ox + 5, oy);
        painter.drawLine(ox + 2, oy + 1, ox + 4, oy + 1);
        painter.drawPoint(ox + 3, oy + 2);
    };
    painter.save();
    if (state == rbsDisabled) {
        triangle(x + 1, y + 1, clBtnHighlight);
        triangle(x, y, clBtnShadow);
    } else {
        triangle(x, y, clBtnText);
    }
    painter.restore();
}

TRect TKxButtonGlyph::Draw(QPainter& painter, const TRect& client, const std::string& caption,
                           TButtonLayout layout, int margin, int spacing, bool popupMark,
                           TKxButtonState state, unsigned flags) {
    return DrawEx(painter, client, caption, layout, margin, spacing, popupMark, nullptr, -1, state, flags);
}

TRect TKxButtonGlyph::DrawEx(QPainter& painter, const TRect& client, const std::string& caption,
                             TButtonLayout layout, int margin, int spacing, bool popupMark,
                             TImageList* images, int imageIndex, TKxButtonState state, unsigned flags) {
    const TButtonLayoutResult placed = CalcButtonLayout(painter, client, caption, layout, margin, spacing,
                                                        popupMark, images, imageIndex, flags);
    const bool useImages = images && images->Width() >= 1 && imageIndex >= 0 && imageIndex < images->Count();
    const TPoint drawn = useImages ? DrawButtonImage(painter, placed.glyphPos, *images, imageIndex, state)
                                   : DrawButtonGlyph(painter, placed.glyphPos, state);
    DrawButtonText(painter, placed.caption, placed.textBounds, state, flags | AlignmentFlags(alignment_));
    if (popupMark) {
        const bool besideGlyph = layout != blGlyphLeft && drawn.X > 0 && drawn.Y > 0;
        if (besideGlyph) {
            DrawPopupMark(painter, placed.glyphPos.X + drawn.X + 1, placed.glyphPos.Y + drawn.Y / 2, state);
        } else {
            const TRect& text = placed.textBounds;
            const int x = placed.caption.empty() ? (client.Left + client.Right - 7) / 2 : text.Right + 3;
            DrawPopupMark(painter, x, text.Top + HeightOf(text) / 2, state);
        }
    }
    return placed.textBounds;
}

void TButtonImage::Draw(QPainter& painter, int x, int y, int margin, int spacing, TButtonLayout layout,
                        const QFont* font, unsigned flags) {
    DrawEx(painter, x, y, margin, spacing, layout, font, nullptr, -1, flags);
}

void TButtonImage::DrawEx(QPainter& painter, int x, int y, int margin, int spacing, TButtonLayout layout,
                          const QFont* font, TImageList* images, int imageIndex, unsigned flags) {
    painter.save();
    TRect face = Bounds(x, y, buttonSize_.X, buttonSize_.Y);
    painter.fillRect(ToQRect(face), ToQColor(clBtnFace));
    Frame3D(painter, face, clBtnShadow, clWindowFrame);
    Frame3D(painter, face, clBtnHighlight, clBtnShadow);
    if (font) painter.setFont(*font);
    painter.setPen(ToQColor(clBtnText));
    glyph_.DrawEx(painter, face, caption_, layout, margin, spacing, false, images, imageIndex, rbsUp, flags);
    painter.restore();
}
