#pragma once
// Image lists: equal cells of one size, each drawn with its see-through pixels. TGlyphList recycles
// its cells, and the glyph cache shares one such list per cell size among all buttons.
#include <QImage>
#include <memory>
#include <vector>

#include "platform/forms/types.h"

class QPainter;

class TImageList {
public:
    TImageList(int width, int height) : width_(width), height_(height) {}
    virtual ~TImageList() = default;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Cells in the list (used or not).
    virtual int Count() const { return static_cast<int>(images_.size()); }
    // Adds the picture with every pixel of the mask colour see-through; returns its index.
    virtual int AddMasked(const QImage& image, TColor maskColor);
    // Adds the picture with the pixels where the mask is black see-through.
    int Add(const QImage& image, const QImage& mask);
    // The picture of a cell (see-through pixels have alpha 0); empty for a bad index.
    QImage Image(int index) const;
    void Draw(QPainter& painter, int x, int y, int index) const;

protected:
    int Store(int index, const QImage& cell);
    int CellCount() const { return static_cast<int>(images_.size()); }
    void AppendEmptyCell();

private:
    int width_, height_;
    std::vector<QImage> images_;
};

class TGlyphList : public TImageList {
public:
    using TImageList::TImageList;
    int AddMasked(const QImage& image, TColor maskColor) override;
    void Delete(int index);
    // Cells in use.
    int Count() const override { return count_; }

private:
    int AllocateIndex();
    std::vector<bool> used_;
    int count_ = 0;
};

// The process-wide cache; it exists while any glyph object exists or any list is in it.
class TGlyphCache {
public:
    TGlyphList& GetList(int width, int height);
    // Frees the list when none of its cells is used any more.
    void ReturnList(TGlyphList& list);
    bool Empty() const { return lists_.empty(); }
    int ListCount() const { return static_cast<int>(lists_.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// The shape of an image (its pixels that are not see-through) drawn embossed: in the highlight colour
// one pixel right and down when asked, then in the gray colour at x, y.
void ImageListDrawDisabled(const TImageList& images, QPainter& painter, int x, int y, int index,
                           TColor highlightColor, TColor grayColor, bool drawHighlight);

// The cache, or nullptr when there is none.
TGlyphCache* GlyphCache();
