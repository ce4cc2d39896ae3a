#include "controls/glyph_list.h"

#include <QPainter>

#include "controls/drawing_utils.h"

int TImageList::AddMasked(const QImage& image, TColor maskColor) {
    AppendEmptyCell();
    return Store(CellCount() - 1, MaskedByColor(image, maskColor));
}

int TImageList::Add(const QImage& image, const QImage& mask) {
    QImage cell = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < cell.height() && y < mask.height(); ++y)
        for (int x = 0; x < cell.width() && x < mask.width(); ++x)
            if (qGray(mask.pixel(x, y)) < 128) cell.setPixel(x, y, qRgba(0, 0, 0, 0));
    AppendEmptyCell();
    return Store(CellCount() - 1, cell);
}

QImage TImageList::Image(int index) const {
    if (index < 0 || index >= CellCount()) return QImage();
    return images_[static_cast<size_t>(index)];
}

void TImageList::Draw(QPainter& painter, int x, int y, int index) const {
    const QImage cell = Image(index);
    if (!cell.isNull()) painter.drawImage(x, y, cell);
}

int TImageList::Store(int index, const QImage& cell) {
    images_[static_cast<size_t>(index)] = cell.copy(0, 0, width_, height_);
    return index;
}

void TImageList::AppendEmptyCell() {
    QImage empty(width_, height_, QImage::Format_ARGB32);
    empty.fill(Qt::transparent);
    images_.push_back(empty);
}

int TGlyphList::AllocateIndex() {
    for (size_t i = 0; i < used_.size(); ++i)
        if (!used_[i]) return static_cast<int>(i);
    AppendEmptyCell();
    used_.resize(static_cast<size_t>(CellCount()), false);
    return CellCount() - 1;
}

int TGlyphList::AddMasked(const QImage& image, TColor maskColor) {
    const int index = AllocateIndex();
    Store(index, MaskedByColor(image, maskColor));
    used_[static_cast<size_t>(index)] = true;
    ++count_;
    return index;
}

void TGlyphList::Delete(int index) {
    if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[static_cast<size_t>(index)]) return;
    used_[static_cast<size_t>(index)] = false;
    --count_;
}

TGlyphList& TGlyphCache::GetList(int width, int height) {
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
        if ((*it)->Width() == width && (*it)->Height() == height) return **it;
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return *lists_.back();
}

void TGlyphCache::ReturnList(TGlyphList& list) {
    if (list.Count() != 0) return;
    std::erase_if(lists_, [&](const auto& held) { return held.get() == &list; });
}

void ImageListDrawDisabled(const TImageList& images, QPainter& painter, int x, int y, int index,
                           TColor highlightColor, TColor grayColor, bool drawHighlight) {
    const QImage image = images.Image(index);
    auto stamp = [&](int ox, int oy, TColor color) {
        painter.setPen(ToQColor(color));
        for (int row = 0; row < image.height(); ++row)
            for (int col = 0; col < image.width(); ++col)
                if (qAlpha(image.pixel(col, row)) != 0) painter.drawPoint(ox + col, oy + row);
    };
    painter.save();
    if (drawHighlight) stamp(x + 1, y + 1, highlightColor);
    stamp(x, y, grayColor);
    painter.restore();
}
