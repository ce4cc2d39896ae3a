#pragma once
// TKxSpeedButton: a small push button that paints itself: a glyph with grayed and inactive variants,
// a caption, an optional drop-down menu with its mark, radio groups and an auto-repeat timer.
#include <QImage>
#include <QPointer>
#include <memory>
#include <string>

#include "controls/button_glyph.h"
#include "controls/drawing_utils.h"
#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/types.h"

class QPainter;
class TTimer;
class TPopupMenu;
class SpeedButtonWidget;

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TKxDropDownMenuPos { dmpBottom, dmpRight };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

class TKxSpeedButton : public TControl {
public:
    TKxSpeedButton();
    ~TKxSpeedButton() override;

    TAlignment Alignment() const { return glyph_.Alignment(); }
    void SetAlignment(TAlignment alignment) { glyph_.SetAlignment(alignment); }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool allow);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    TPopupMenu* DropDownMenu() const;
    void SetDropDownMenu(TPopupMenu* menu);
    TKxDropDownMenuPos MenuPosition() const { return menuPosition_; }
    void SetMenuPosition(TKxDropDownMenuPos position) { menuPosition_ = position; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& glyph) { glyph_.SetGlyph(glyph); }
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool grayed);
    unsigned InitPause() const { return initPause_; }
    void SetInitPause(unsigned ms) { initPause_ = static_cast<uint16_t>(ms); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    bool MarkDropDown() const { return markDropDown_; }
    void SetMarkDropDown(bool mark);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }
    unsigned RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(unsigned ms) { repeatInterval_ = static_cast<uint16_t>(ms); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return glyph_.WordWrap(); }
    void SetWordWrap(bool wrap) { glyph_.SetWordWrap(wrap); }
    // Position and size inside the parent (the button is placed by its owner, not by a layout).
    void SetBounds(int left, int top, int width, int height);

    TKxButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool Dragging() const { return dragging_; }
    TKxButtonGlyph& ButtonGlyph() { return glyph_; }
    // The timer of the auto-repeat (nullptr until the first press with AllowTimer).
    const TTimer* RepeatTimer() const { return repeatTimer_.get(); }

    // The modal result to the window, then OnClick.
    virtual void Click();
    // A press and release made by the program (a short down look, then the click).
    void ButtonClick();
    // Shows the drop-down menu under (or beside) the button; true when it was shown.
    bool CheckMenuDropDown(bool force);
    bool CheckBtnMenuDropDown() { return CheckMenuDropDown(true); }
    TPoint DropDownMenuPosition() const;
    static int LiveCount();

    // The mouse in the library's terms (the widget calls them; tests may too).
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void UpdateTracking();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TShiftState, int, int)> OnMouseMove;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseUp;

    // Draws the face into the painter as it looks now (the widget's paint calls it).
    void Paint(QPainter& painter);

protected:
    // Glyph and caption on the face; a derived button may draw more around them.
    virtual void PaintGlyph(QPainter& painter, const TRect& rect, TKxButtonState state, bool drawMark);
    void Invalidate();
    void RepaintNow();

private:
    friend class SpeedButtonWidget;
    void EnabledChanged();
    void ButtonPressed(int groupIndex, TKxSpeedButton& sender);
    void BroadcastPressed();
    void DoMouseUp(TMouseButton button, int x, int y);
    bool Inside(int x, int y) const;
    void TimerExpired();
    void DrawFrame(QPainter& painter, TRect& face, bool down) const;
    void MakeGlyphForLook();

    SpeedButtonWidget* widget_;
    TKxButtonGlyph glyph_;
    std::string caption_;
    int groupIndex_ = 0;
    TButtonStyle style_ = bsAutoDetect;
    bool down_ = false;
    bool dragging_ = false;
    bool flat_ = false;
    bool mouseInControl_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphTop;
    int spacing_ = 1;
    int margin_ = -1;
    TModalResult modalResult_ = mrNone;
    bool transparent_ = false;
    bool markDropDown_ = true;
    TPopupMenu* dropDownMenu_ = nullptr;
    QPointer<QObject> dropDownMenuAlive_;
    TKxDropDownMenuPos menuPosition_ = dmpBottom;
    bool grayedInactive_ = true;
    bool menuTracking_ = false;
    std::unique_ptr<TTimer> repeatTimer_;
    bool allowTimer_ = false;
    uint16_t initPause_ = 500;
    uint16_t repeatInterval_ = 100;
    TKxButtonState state_ = rbsUp;
};

// The calendar's month and year buttons: repeat while held, with the old frame look.
class TKxTimerSpeedButton : public TKxSpeedButton {
public:
    TKxTimerSpeedButton();
};
