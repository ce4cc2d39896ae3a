#pragma once
// The glyph and caption of a speed button: its five state pictures, made on first use from one
// source bitmap and kept in the shared glyph cache, and the layout of glyph, caption and drop-down
// mark on the button face.
#include <QImage>
#include <array>
#include <map>
#include <string>

#include "controls/drawing_utils.h"
#include "platform/forms/events.h"
#include "platform/forms/types.h"

class QPainter;
class TImageList;
class TGlyphList;

// The order indexes the cells of a glyph bitmap.
enum TKxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Text-drawing flags of the callers.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_RTLREADING = 0x20000;

// Where glyph and caption go on a face (CalcButtonLayout).
struct TButtonLayoutResult {
    TPoint glyphPos;
    TRect textBounds;
    std::string caption; // the caption as drawn (lines shortened to the room unless wrapped)
    TPoint glyphSize;    // including the room of a drop-down mark
};

class TKxButtonGlyph {
public:
    TKxButtonGlyph();
    ~TKxButtonGlyph();
    TKxButtonGlyph(const TKxButtonGlyph&) = delete;
    TKxButtonGlyph& operator=(const TKxButtonGlyph&) = delete;

    const QImage& Glyph() const { return original_; }
    // A new source bitmap: its cell count follows from its shape (see GlyphChanged).
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    // 0 is ignored, above 5 becomes 5.
    void SetNumGlyphs(int count);
    TColor TransparentColor() const { return transparentColor_; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TNotifyEvent OnChange;

    // The glyph-list cell for a state, -1 when there is nothing to draw.
    int CreateButtonGlyph(TKxButtonState state);
    int CreateImageGlyph(TKxButtonState state, TImageList* images, int index);
    // Drops all made cells.
    void Invalidate();
    void GlyphChanged();
    // Gray by luminance, except the transparent colour and the button face colour.
    TColor MapColor(TColor color) const;

    TRect Draw(QPainter& painter, const TRect& client, const std::string& caption, TButtonLayout layout,
               int margin, int spacing, bool popupMark, TKxButtonState state, unsigned flags);
    TRect DrawEx(QPainter& painter, const TRect& client, const std::string& caption, TButtonLayout layout,
                 int margin, int spacing, bool popupMark, TImageList* images, int imageIndex,
                 TKxButtonState state, unsigned flags);

    TButtonLayoutResult CalcButtonLayout(QPainter& painter, const TRect& client, const std::string& caption,
                                         TButtonLayout layout, int margin, int spacing, bool popupMark,
                                         TImageList* images, int imageIndex, unsigned flags) const;
    TPoint DrawButtonGlyph(QPainter& painter, const TPoint& at, TKxButtonState state);
    TPoint DrawButtonImage(QPainter& painter, const TPoint& at, TImageList& images, int index,
                           TKxButtonState state);
    void DrawButtonText(QPainter& painter, const std::string& caption, const TRect& bounds,
                        TKxButtonState state, unsigned flags) const;
    void DrawPopupMark(QPainter& painter, int x, int y, TKxButtonState state) const;
    // Each line shortened to the width, unless the caption wraps.
    std::string MinimizeCaption(QPainter& painter, const std::string& caption, int width) const;

    // The list the cells live in (nullptr until the first cell is made); for tests.
    const TGlyphList* GlyphList() const { return glyphList_; }
    static int LiveCount();

private:
    TGlyphList& List(int width, int height);
    int StoreCell(TKxButtonState state, const QImage& cell, TColor maskColor);
    QImage SourceCell(int cell) const;

    QImage original_;
    TGlyphList* glyphList_ = nullptr;
    std::array<int, 5> indexes_{-1, -1, -1, -1, -1};
    std::map<std::pair<const TImageList*, int>, std::array<int, 5>> imageCells_;
    TColor transparentColor_ = clFuchsia;
    int numGlyphs_ = 1;
    bool wordWrap_ = false;
    TAlignment alignment_ = taCenter;
};

// Draws a raised button face with a glyph and caption on any painter; nothing in the program makes one.
class TButtonImage {
public:
    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& glyph) { glyph_.SetGlyph(glyph); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }
    bool WordWrap() const { return glyph_.WordWrap(); }
    void SetWordWrap(bool wrap) { glyph_.SetWordWrap(wrap); }
    TAlignment Alignment() const { return glyph_.Alignment(); }
    void SetAlignment(TAlignment alignment) { glyph_.SetAlignment(alignment); }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    TPoint ButtonSize() const { return buttonSize_; }
    void SetButtonSize(TPoint size) { buttonSize_ = size; }

    void Draw(QPainter& painter, int x, int y, int margin, int spacing, TButtonLayout layout,
              const QFont* font, unsigned flags);
    void DrawEx(QPainter& painter, int x, int y, int margin, int spacing, TButtonLayout layout,
                const QFont* font, TImageList* images, int imageIndex, unsigned flags);

private:
    TKxButtonGlyph glyph_;
    std::string caption_;
    TPoint buttonSize_{24, 23};
};

// A one-pixel 3-D frame: topLeft on the top and left edges, bottomRight on the others; the
// rectangle then shrinks by one pixel.
void Frame3D(QPainter& painter, TRect& rect, TColor topLeft, TColor bottomRight);
