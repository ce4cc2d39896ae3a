#pragma once
// TKxLabel: a label that draws its caption with a shadow of one colour, by painting of its own; and
// DrawShadowText, the drawing itself.
#include <QFont>
#include <functional>
#include <string>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/types.h"

class QPainter;
class QShortcut;
class QRect;

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Draws the text in the shadow colour moved by shadowSize towards shadowPos, then in the painter's pen
// over it; rect becomes the union of both. Returns the height drawn (plus shadowSize when positive).
// flags are Qt's text flags.
int DrawShadowText(QPainter& painter, const std::string& text, QRect& rect, int flags, int shadowSize,
                   TColor shadowColor, TShadowPosition shadowPos);

class TKxLabel : public TControl {
public:
    TKxLabel();

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // On by default: the label takes the size of its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size); // 0..255
    TShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TShadowPosition pos);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    // "&" marks the accelerator (underlined) while on; off shows "&" as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    void SetFontBold(bool bold);
    // The control that the caption's accelerator (Alt and the letter after "&") gives the focus to,
    // when it can take it.
    TControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TControl* control);
    // Off by default: on, the text has a focus rectangle while FocusControl has the focus.
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Draws the label into the painter (the widget's paint event uses it).
    void Paint(QPainter& painter);

protected:
    virtual TColor GetDefaultFontColor() const { return fontColor_; }
    virtual std::string GetLabelCaption() const { return caption_; }

private:
    friend class LabelWidget;
    int TextFlags() const;
    int DoDrawText(QPainter& painter, QRect& rect, int flags);
    void AdjustBounds();
    void Changed();
    void UpdateAccelerator();
    void FocusChanged();

    std::string caption_;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    TColor shadowColor_ = clBtnHighlight;
    int shadowSize_ = 1;
    TShadowPosition shadowPos_ = spLeftTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TControl* focusControl_ = nullptr;
    bool showFocus_ = false;
    bool focused_ = false; // FocusControl has the focus
    QShortcut* accelerator_ = nullptr;
};
