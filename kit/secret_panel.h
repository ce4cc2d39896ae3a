#pragma once
// TSecretPanel: a panel that, while Active, hides its child controls and scrolls its lines of text (with
// an optional glyph) through its client area, driven by a TKxTimer; drawn by painting of its own.
//
// With AsyncDrawing (the default) the timer's worker thread advances the text and asks the panel to
// repaint; without it every step runs on the user-interface thread. A panel that is not Cycled stops by
// itself once the last line has scrolled out, and shows its children again.
#include <QImage>
#include <QRect>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "kitbase/kx_timer.h"
#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/strings.h"
#include "platform/forms/types.h"

class QPainter;
class QWidget;

enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
enum TScrollDirection { sdVertical, sdHorizontal };
enum TBevelCut { bvNone, bvLowered, bvRaised };

class TSecretPanel : public TControl {
public:
    TSecretPanel();
    ~TSecretPanel() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    void Play() { SetActive(true); }
    void Stop() { SetActive(false); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool AsyncDrawing() const { return asyncDrawing_; }
    void SetAsyncDrawing(bool async) { asyncDrawing_ = async; }
    bool Cycled() const { return cycled_; }
    void SetCycled(bool cycled) { cycled_ = cycled; }
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    TGlyphLayout GlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(TGlyphLayout layout);
    unsigned Interval() const { return timer_.Interval(); }
    void SetInterval(unsigned ms) { timer_.SetInterval(ms); }
    // Changing the lines of an active panel starts the scroll again with the new text.
    TStrings& Lines() { return *lines_; }
    TScrollDirection ScrollDirection() const { return direction_; }
    void SetScrollDirection(TScrollDirection direction);
    TBevelCut TextStyle() const { return textStyle_; }
    void SetTextStyle(TBevelCut style);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    // Puts a control into the panel, below the ones put in before.
    void InsertControl(TControl& control);

    // The scroll position and its end, in pixels.
    int Position() const;
    int ScrollEnd() const;

    std::function<void(QPainter& canvas, const QRect& rect)> OnPaintClient;
    TNotifyEvent OnStartPlay;
    TNotifyEvent OnStopPlay;

    void Paint(QPainter& painter);

protected:
    virtual void PaintClient(QPainter& canvas, const QRect& rect);
    virtual void StartPlay() { Fire(OnStartPlay); }
    virtual void StopPlay() { Fire(OnStopPlay); }

private:
    class LineList;
    friend class SecretPanelWidget;
    void Start();
    void Finish();
    void BuildImage();
    void ComputeRects();
    void DrawText();
    void Tick();
    void Changed(bool restart);
    int FrameWidth() const;

    bool active_ = false;
    TAlignment alignment_ = taCenter;
    std::atomic<bool> asyncDrawing_ = true;
    std::atomic<bool> cycled_ = false;
    QImage glyph_;
    TGlyphLayout glyphLayout_ = glGlyphLeft;
    std::unique_ptr<TStrings> lines_;
    TScrollDirection direction_ = sdVertical;
    TBevelCut textStyle_ = bvNone;
    TBevelCut bevelOuter_ = bvLowered;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    std::vector<QWidget*> hiddenChildren_;

    mutable std::mutex lock_; // the scroll state, shared with the timer's worker
    int position_ = 0;
    int end_ = 0;
    int firstLine_ = 0;
    int lineHeight_ = 0;
    std::vector<std::string> snapshot_; // the lines as the image shows them
    QRect drawRect_;
    QRect textRect_;
    QPoint glyphOrigin_;
    QImage image_; // exists while active

    TKxTimer timer_; // last: it stops before the state it works on goes
};
