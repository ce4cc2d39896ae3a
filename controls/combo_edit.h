#pragma once
// TCustomComboEdit: a masked edit with a button at its right edge and an optional drop-down window
// (TPopupWindow) that opens below the edit, or above it near the screen's bottom. The date edit and
// the folder edit derive from it; TComboEdit is the base on its own.
//
// The drop-down never takes the focus: keys stay with the edit, which passes what the drop-down
// needs on to it. A click anywhere outside edit, button and drop-down closes it without accepting.
#include <QImage>
#include <functional>
#include <memory>
#include <string>

#include "controls/drawing_utils.h"
#include "controls/speed_button.h"
#include "kitbase/variant.h"
#include "platform/forms/controls.h"

class QWidget;
class QObject;
class TCustomComboEdit;

// A key with its shift state as one number: the key code plus 2000h Shift, 4000h Ctrl, 8000h Alt.
using TShortCut = WORD;
TShortCut ShortCut(WORD key, TShiftState shift);
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// "Abstract Error": a drop-down that does not provide its value.
class EAbstractError : public Exception {
public:
    using Exception::Exception;
};

class TPopupWindow : public TControl {
public:
    explicit TPopupWindow(TCustomComboEdit& editor);
    ~TPopupWindow() override;

    virtual TVariant GetValue();
    virtual void SetValue(const TVariant& value);
    // OnCloseUp(self, accept) when assigned.
    virtual void CloseUp(bool accept);
    virtual std::string GetPopupText() { return ""; }

    // Moves the window's top-left corner to the screen point and shows it without activating it.
    void Show(TPoint origin);
    void Hide();
    bool Showing() const;
    void SetSize(int width, int height);
    // Repaints the editor's text area at once.
    void InvalidateEditor();
    TCustomComboEdit& Editor() const { return editor_; }
    // A left release in the window: closes it, accepting when the point is inside.
    void PopupMouseUp(int x, int y);

    std::function<void(TPopupWindow& sender, bool accept)> OnCloseUp;

private:
    TCustomComboEdit& editor_;
};

// The button inside the edit.
class TEditButton : public TKxSpeedButton {
public:
    explicit TEditButton(TCustomComboEdit& editor);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;

protected:
    void PaintGlyph(QPainter& painter, const TRect& rect, TKxButtonState state, bool drawMark) override;

private:
    TCustomComboEdit& editor_;
    bool noAction_ = false;
};

enum TPopupAlign { epaRight, epaLeft };
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

class TCustomComboEdit : public TMaskEdit {
public:
    TCustomComboEdit();
    ~TCustomComboEdit() override;

    TEditButton& Button() { return *button_; }
    QWidget* ButtonHolder() const { return holder_; }
    TPopupWindow* Popup() const { return popup_; }
    bool PopupVisible() const { return popupVisible_; }

    TShortCut ClickKey() const { return clickKey_; }
    void SetClickKey(TShortCut key) { clickKey_ = key; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool directInput);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TPopupAlign PopupAlign() const { return popupAlign_; }
    void SetPopupAlign(TPopupAlign align) { popupAlign_ = align; }
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind kind);
    const QImage& Glyph() const { return button_->Glyph(); }
    void SetGlyph(const QImage& glyph); // switches to gkCustom
    int NumGlyphs() const { return button_->NumGlyphs(); }
    void SetNumGlyphs(int count);
    int ButtonWidth() const;
    void SetButtonWidth(int width);
    // The width the kind of picture gives the button by itself.
    int NaturalButtonWidth() const;
    std::string ButtonHint() const { return button_->Hint(); }
    void SetButtonHint(const std::string& hint) { button_->SetHint(hint); }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    bool Modified() const;
    void SetModified(bool modified);
    // Text height + 4 border pixels + 1: the edit is never lower.
    int MinimumHeight() const;

    // Whole text, only when the text may be typed.
    void SelectAll();
    // The button's action, unless read-only (and the button not kept working).
    void EditButtonClick();
    void DoClick() { EditButtonClick(); }
    void PopupDropDown(bool disableEdit);
    void PopupCloseUp(TPopupWindow& sender, bool accept);

    TNotifyEvent OnButtonClick;

protected:
    virtual QImage GetDefaultBitmap(bool& destroy);
    virtual void ShowPopup(TPoint origin);
    virtual void HidePopup();
    virtual bool AcceptPopup(TVariant& value);
    virtual void AcceptValue(const TVariant& value);
    virtual void SetPopupValue(const TVariant& value);
    virtual TVariant GetPopupValue();
    virtual void PopupChange() {}
    virtual bool GetReadOnly() const { return readOnly_; }
    virtual bool EditCanModify() const { return !readOnly_; }
    virtual void ButtonClick();

    void Change() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void DoExit() override;

    // The subclass gives its drop-down here (it keeps owning it); nullptr removes it.
    void SetPopup(TPopupWindow* popup) { popup_ = popup; }
    void SetDefNumGlyphs(int count) { defNumGlyphs_ = count; }
    // The button keeps working while the edit is read-only.
    void SetAlwaysEnabled(bool enabled) { alwaysEnabled_ = enabled; }
    void RecreateGlyph();
    // The drop-down-visible flag taken from the drop-down itself (before a change notification).
    void RefreshPopupVisible() { popupVisible_ = popup_ && popup_->Showing(); }

private:
    friend class TEditButton;
    void UpdateControlsBounds();
    void ApplyWindowReadOnly();
    void AdjustHeight();
    bool MousePressed();
    bool IsOwnWidget(const QObject* object) const;
    void WatchOutsideClicks(bool watch);

    std::unique_ptr<TEditButton> button_;
    QWidget* holder_;
    TShortCut clickKey_ = scAlt | VK_DOWN;
    bool readOnly_ = false;
    bool alwaysEnabled_ = false;
    bool directInput_ = true;
    TAlignment alignment_ = taLeftJustify;
    bool popupVisible_ = false;
    bool focused_ = false;
    bool autoSelect_ = true;
    bool creating_ = true;
    TPopupAlign popupAlign_ = epaRight;
    TGlyphKind glyphKind_ = gkCustom;
    TPopupWindow* popup_ = nullptr;
    int defNumGlyphs_ = 1;
    int buttonWidth_ = 21;
    std::unique_ptr<QObject> outsideClicks_;
};

class TComboEdit : public TCustomComboEdit {};

// The text margins of a combo edit (left and top).
TPoint EditorTextMargins(TCustomComboEdit& editor);
// Paints the text of an unfocused or disabled combo edit itself; true when it painted.
bool PaintComboEdit(TCustomComboEdit& editor, const std::string& text, TAlignment alignment,
                    QPainter& painter);
