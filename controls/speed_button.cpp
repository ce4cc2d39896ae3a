#include "controls/speed_button.h"

#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QWidget>

#include "controls/popup_menu.h"
#include "controls/window_utils.h"
#include "platform/clock/clock.h"
#include "platform/forms/form.h"
#include "platform/forms/timer.h"

namespace {
int liveButtons = 0;

TMouseButton ButtonOf(Qt::MouseButton button) {
    if (button == Qt::RightButton) return mbRight;
    if (button == Qt::MiddleButton) return mbMiddle;
    return mbLeft;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}
} // namespace

// The window-less button's stand-in: a plain widget whose painting and mouse are the button's.
class SpeedButtonWidget : public QWidget {
public:
    SpeedButtonWidget() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
        resize(25, 25);
    }
    QSize sizeHint() const override { return size(); }
    void SetOwner(TKxSpeedButton* owner) { owner_ = owner; }
    int shortcutId = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_) return;
        QPainter painter(this);
        RunHandler([&] { owner_->Paint(painter); });
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!owner_) return;
        const QPoint at = event->position().toPoint();
        RunHandler([&] {
            owner_->MouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()),
                              at.x(), at.y());
        });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!owner_) return;
        const QPoint at = event->position().toPoint();
        RunHandler([&] { owner_->MouseMove(ShiftOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!owner_) return;
        const QPoint at = event->position().toPoint();
        RunHandler([&] {
            owner_->MouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()), at.x(),
                            at.y());
        });
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (!owner_) return;
        if (event->button() == Qt::LeftButton) RunHandler([&] { owner_->DblClick(); });
    }
    void enterEvent(QEnterEvent*) override {
        if (!owner_) return;
        RunHandler([&] { owner_->MouseEnter(); });
    }
    void leaveEvent(QEvent*) override {
        if (!owner_) return;
        RunHandler([&] { owner_->MouseLeave(); });
    }
    void changeEvent(QEvent* event) override {
        if (!owner_) return QWidget::changeEvent(event);
        if (event->type() == QEvent::EnabledChange) RunHandler([&] { owner_->EnabledChanged(); });
        if (event->type() == QEvent::FontChange) update();
        if (event->type() == QEvent::PaletteChange) { // the system colours changed: new cells
            owner_->ButtonGlyph().Invalidate();
            update();
        }
        QWidget::changeEvent(event);
    }
    bool event(QEvent* event) override {
        // The caption's accelerator clicks an enabled button.
        if (event->type() == QEvent::Shortcut && owner_) {
            if (isEnabled()) RunHandler([&] { owner_->Click(); });
            return true;
        }
        return QWidget::event(event);
    }

private:
    TKxSpeedButton* owner_ = nullptr;
};

TKxSpeedButton::TKxSpeedButton()
    : TControl(new SpeedButtonWidget), widget_(static_cast<SpeedButtonWidget*>(Widget())) {
    widget_->SetOwner(this);
    ++liveButtons;
    glyph_.OnChange = [this] { Invalidate(); };
}

TKxSpeedButton::~TKxSpeedButton() {
    // The widget may still get events while it is taken down (unless its parent took it already).
    if (QWidget* widget = Widget()) static_cast<SpeedButtonWidget*>(widget)->SetOwner(nullptr);
    --liveButtons;
}

int TKxSpeedButton::LiveCount() {
    return liveButtons;
}

// ---- Properties -------------------------------------------------------------------------

void TKxSpeedButton::SetAllowAllUp(bool allow) {
    if (allow == allowAllUp_) return;
    allowAllUp_ = allow;
    BroadcastPressed();
}

void TKxSpeedButton::SetAllowTimer(bool allow) {
    allowTimer_ = allow;
    if (!allow) repeatTimer_.reset();
}

void TKxSpeedButton::SetGroupIndex(int index) {
    if (index == groupIndex_) return;
    groupIndex_ = index;
    BroadcastPressed();
}

void TKxSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down) {
        if (state_ == rbsUp) Invalidate();
        state_ = rbsExclusive;
    } else {
        state_ = rbsUp;
    }
    RepaintNow();
    if (down) BroadcastPressed();
}

TPopupMenu* TKxSpeedButton::DropDownMenu() const {
    return dropDownMenuAlive_ ? dropDownMenu_ : nullptr;
}

void TKxSpeedButton::SetDropDownMenu(TPopupMenu* menu) {
    if (menu == DropDownMenu()) return;
    dropDownMenu_ = menu;
    dropDownMenuAlive_ = menu ? menu->Lifetime() : nullptr;
    if (markDropDown_) Invalidate();
}

void TKxSpeedButton::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (widget_->shortcutId) widget_->releaseShortcut(widget_->shortcutId);
    const QKeySequence accelerator = QKeySequence::mnemonic(QString::fromStdString(caption));
    widget_->shortcutId = accelerator.isEmpty() ? 0 : widget_->grabShortcut(accelerator);
    Invalidate();
}

void TKxSpeedButton::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Invalidate();
}

void TKxSpeedButton::SetGrayedInactive(bool grayed) {
    if (grayed == grayedInactive_) return;
    grayedInactive_ = grayed;
    Invalidate();
}

void TKxSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TKxSpeedButton::SetMargin(int margin) {
    if (margin < -1 || margin == margin_) return;
    margin_ = margin;
    Invalidate();
}

void TKxSpeedButton::SetMarkDropDown(bool mark) {
    if (mark == markDropDown_) return;
    markDropDown_ = mark;
    Invalidate();
}

void TKxSpeedButton::SetSpacing(int spacing) {
    if (spacing == spacing_) return;
    spacing_ = spacing;
    Invalidate();
}

void TKxSpeedButton::SetStyle(TButtonStyle style) {
    if (style == style_) return;
    style_ = style;
    Invalidate();
}

void TKxSpeedButton::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    widget_->setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    Invalidate();
}

void TKxSpeedButton::SetBounds(int left, int top, int width, int height) {
    widget_->setGeometry(left, top, width, height);
}

void TKxSpeedButton::Invalidate() {
    widget_->update();
}

void TKxSpeedButton::RepaintNow() {
    if (widget_->isVisible())
        widget_->repaint();
    else
        widget_->update();
}

// ---- Painting ---------------------------------------------------------------------------

void TKxSpeedButton::DrawFrame(QPainter& painter, TRect& face, bool down) const {
    const bool newLook = style_ != bsWin31;
    if (!down && newLook) {
        if (flat_) {
            Frame3D(painter, face, clBtnHighlight, clBtnShadow);
        } else {
            Frame3D(painter, face, clBtnHighlight, clWindowFrame);
            Frame3D(painter, face, clBtnFace, clBtnShadow);
        }
    } else if (!down) {
        if (flat_) {
            Frame3D(painter, face, clBtnHighlight, clWindowFrame);
        } else {
            Frame3D(painter, face, clWindowFrame, clWindowFrame);
            Frame3D(painter, face, clBtnHighlight, clBtnShadow);
        }
    } else if (newLook) {
        Frame3D(painter, face, clWindowFrame, clBtnHighlight);
        if (!flat_) Frame3D(painter, face, clBtnShadow, clBtnFace);
    } else if (flat_) {
        Frame3D(painter, face, clWindowFrame, clBtnHighlight);
    } else {
        Frame3D(painter, face, clWindowFrame, clWindowFrame);
        Frame3D(painter, face, clBtnShadow, clBtnFace);
    }
    face = InflateRect(face, -1, -1);
}

void TKxSpeedButton::Paint(QPainter& target) {
    if (!CanOperate()) {
        state_ = rbsDisabled;
        dragging_ = false;
    } else if (state_ == rbsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? rbsExclusive : rbsUp;
    }
    const TKxButtonState paintState = flat_ && !mouseInControl_ ? rbsInactive : state_;
    QImage canvas = FilledBitmap(widget_->width(), widget_->height(), clBtnFace);
    QPainter painter(&canvas);
    painter.setFont(widget_->font());
    if (transparent_) CopyParentImage(*widget_, painter);
    TRect face = Bounds(0, 0, canvas.width(), canvas.height());
    if (!(paintState == rbsInactive && state_ != rbsExclusive))
        DrawFrame(painter, face, state_ == rbsDown || state_ == rbsExclusive);
    else
        face = InflateRect(face, -2, -2);
    if (state_ == rbsExclusive && !transparent_ && (!flat_ || paintState == rbsInactive))
        painter.fillRect(ToQRect(face), QBrush(CreateTwoColorsBrushPattern(clBtnFace, clBtnHighlight)));
    if (state_ == rbsDown || state_ == rbsExclusive) face = OffsetRect(face, 1, 1);
    const TKxButtonState glyphState = state_ == rbsDisabled || !grayedInactive_ ? state_ : paintState;
    painter.setPen(ToQColor(clBtnText));
    PaintGlyph(painter, face, glyphState, markDropDown_ && DropDownMenu() != nullptr);
    painter.end();
    target.drawImage(0, 0, canvas);
}

void TKxSpeedButton::PaintGlyph(QPainter& painter, const TRect& rect, TKxButtonState state, bool drawMark) {
    const unsigned readingOrder = widget_->layoutDirection() == Qt::RightToLeft ? DT_RTLREADING : 0;
    glyph_.Draw(painter, rect, caption_, layout_, margin_, spacing_, drawMark, state, readingOrder);
}

void TKxSpeedButton::MakeGlyphForLook() {
    glyph_.CreateButtonGlyph(!CanOperate() ? rbsDisabled : flat_ ? rbsInactive : rbsUp);
}

void TKxSpeedButton::EnabledChanged() {
    MakeGlyphForLook();
    UpdateTracking();
    RepaintNow();
}

// ---- Mouse and click ----------------------------------------------------------------------

bool TKxSpeedButton::Inside(int x, int y) const {
    return x >= 0 && x < widget_->width() && y >= 0 && y <= widget_->height();
}

void TKxSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (menuTracking_) return;
    if (!mouseInControl_) {
        mouseInControl_ = true;
        RepaintNow();
    }
    Fire(OnMouseDown, button, shift, x, y);
    if (button != mbLeft || !CanOperate()) return;
    if (!down_) {
        state_ = rbsDown;
        RepaintNow();
    }
    dragging_ = true;
    menuTracking_ = true;
    if (CheckMenuDropDown(false)) DoMouseUp(button, x, y);
    menuTracking_ = false;
    if (allowTimer_) {
        if (!repeatTimer_) {
            repeatTimer_ = std::make_unique<TTimer>();
            repeatTimer_->OnTimer = [this] { TimerExpired(); };
        }
        repeatTimer_->SetEnabled(false);
        repeatTimer_->SetInterval(initPause_);
        repeatTimer_->SetEnabled(true);
    }
}

void TKxSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    Fire(OnMouseMove, shift, x, y);
    if (!dragging_) return;
    const TKxButtonState moved = down_ ? rbsExclusive : Inside(x, y) ? rbsDown : rbsUp;
    if (moved == state_) return;
    state_ = moved;
    RepaintNow();
}

void TKxSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    DoMouseUp(button, x, y);
    Fire(OnMouseUp, button, shift, x, y);
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TKxSpeedButton::DoMouseUp(TMouseButton button, int x, int y) {
    if (!dragging_ || button != mbLeft) return;
    dragging_ = false;
    const bool inside = Inside(x, y);
    if (groupIndex_ == 0) {
        state_ = rbsUp;
        mouseInControl_ = false;
        if (inside)
            RepaintNow();
        else
            Invalidate();
    } else {
        if (inside)
            SetDown(!down_);
        else if (down_)
            state_ = rbsExclusive;
        RepaintNow();
    }
    if (inside && !menuTracking_) Click();
    UpdateTracking();
}

void TKxSpeedButton::TimerExpired() {
    repeatTimer_->SetInterval(repeatInterval_);
    if (state_ != rbsDown || !dragging_) return;
    try {
        Click();
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TKxSpeedButton::Click() {
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    Fire(OnClick);
}

void TKxSpeedButton::ButtonClick() {
    if (!CanOperate() || menuTracking_) return;
    if (TPopupMenu* menu = DropDownMenu(); menu && menu->AutoPopup()) return;
    if (!down_) {
        state_ = rbsDown;
        RepaintNow();
    }
    Sleep(20);
    if (groupIndex_ == 0) {
        Click();
        state_ = rbsUp;
        RepaintNow();
        return;
    }
    SetDown(!down_);
    Click();
}

void TKxSpeedButton::DblClick() {
    if (menuTracking_) return;
    if (down_) Fire(OnDblClick);
}

void TKxSpeedButton::MouseEnter() {
    if (!CanOperate() || !IsForegroundTask()) return;
    mouseInControl_ = true;
    if (flat_) RepaintNow();
    Fire(OnMouseEnter);
}

void TKxSpeedButton::MouseLeave() {
    if (!CanOperate() || dragging_) return;
    mouseInControl_ = false;
    if (flat_) Invalidate();
    Fire(OnMouseLeave);
}

void TKxSpeedButton::UpdateTracking() {
    const QWidget* under = QApplication::widgetAt(QCursor::pos());
    const bool inControl = CanOperate() && under == widget_ && IsForegroundTask();
    if (inControl == mouseInControl_) return;
    mouseInControl_ = inControl;
    if (inControl) {
        if (flat_) RepaintNow();
        Fire(OnMouseEnter);
    } else {
        if (flat_) Invalidate();
        Fire(OnMouseLeave);
    }
}

// ---- Drop-down menu --------------------------------------------------------------------------

TPoint TKxSpeedButton::DropDownMenuPosition() const {
    const TPopupMenu* menu = DropDownMenu();
    if (!menu) return {0, 0};
    const int width = widget_->width(), height = widget_->height();
    if (menuPosition_ == dmpBottom) {
        switch (menu->Alignment()) {
        case paLeft:
            return {-1, height};
        case paRight:
            return {width + 1, height};
        default:
            return {width / 2, height};
        }
    }
    switch (menu->Alignment()) {
    case paLeft:
        return {width, -1};
    case paRight:
        return {-1, -1};
    default:
        return {width / 2, height};
    }
}

bool TKxSpeedButton::CheckMenuDropDown(bool force) {
    TPopupMenu* menu = DropDownMenu();
    if (!menu || !(menu->AutoPopup() || force)) return false;
    const TPoint at = DropDownMenuPosition();
    const QPoint screen = widget_->mapToGlobal(QPoint(at.X, at.Y));
    menu->SetPopupComponent(this);
    menu->Popup(screen.x(), screen.y());
    return true;
}

// ---- Groups -------------------------------------------------------------------------------------

void TKxSpeedButton::BroadcastPressed() {
    QWidget* parent = widget_->parentWidget();
    if (!parent || groupIndex_ == 0) return;
    for (QObject* child : parent->children()) {
        auto* sibling = dynamic_cast<SpeedButtonWidget*>(child);
        if (!sibling || sibling == widget_) continue;
        void* control = sibling->property("kaltorControl").value<void*>();
        if (auto* button = dynamic_cast<TKxSpeedButton*>(static_cast<TControl*>(control)))
            button->ButtonPressed(groupIndex_, *this);
    }
}

void TKxSpeedButton::ButtonPressed(int groupIndex, TKxSpeedButton& sender) {
    if (groupIndex != groupIndex_ || &sender == this) return;
    if (sender.down_ && down_) {
        down_ = false;
        state_ = rbsUp;
        RepaintNow();
    }
    allowAllUp_ = sender.allowAllUp_;
}

TKxTimerSpeedButton::TKxTimerSpeedButton() {
    SetAllowTimer(true);
    SetStyle(bsWin31);
}
