#include "controls/combo_edit.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "platform/forms/event_hook.h"

TShortCut ShortCut(WORD key, TShiftState shift) {
    TShortCut result = key;
    if (shift & ssShift) result |= scShift;
    if (shift & ssCtrl) result |= scCtrl;
    if (shift & ssAlt) result |= scAlt;
    return result;
}

namespace {

constexpr int kButtonWidth = 21;
constexpr int kButtonHeight = 17;
constexpr int kInitialHeight = 21;

// The drop-down's frame: a window of its own that never takes the focus.
class PopupFrame : public QFrame {
public:
    explicit PopupFrame(QWidget* editor) : QFrame(editor, Qt::Tool | Qt::FramelessWindowHint) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        hide();
    }
};

// A small down arrow in place of the platform's combo-box arrow.
QImage ComboArrowBitmap() {
    QImage arrow = FilledBitmap(7, 5, clFuchsia);
    for (int row = 0; row < 4; ++row)
        for (int x = row; x < 7 - row; ++x)
            arrow.setPixel(x, row, qRgb(0, 0, 0));
    return arrow;
}

QImage EllipsisBitmap(int buttonWidth) {
    const int width = std::max(1, buttonWidth - 6);
    QImage dots = FilledBitmap(width, 4, clWhite);
    const int w = std::min(std::max(1, (width - 6) / 2), 3);
    const int l = (width - 6 - 2 * w) / 2;
    QPainter painter(&dots);
    for (int x : {l, l + w + 2, l + 2 * w + 4})
        painter.fillRect(x, 1, 2, 2, Qt::black);
    return dots;
}

int ScrollBarWidth() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

} // namespace

// ---- TPopupWindow -----------------------------------------------------------------------------

TPopupWindow::TPopupWindow(TCustomComboEdit& editor)
    : TControl(new PopupFrame(editor.Widget())), editor_(editor) {
    new EventHook(Widget(), [this](QEvent& event) {
        if (event.type() != QEvent::MouseButtonRelease) return false;
        auto& mouse = static_cast<QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton) return false;
        const QPoint at = mouse.position().toPoint();
        RunHandler([&] { PopupMouseUp(at.x(), at.y()); });
        return true;
    });
}

TPopupWindow::~TPopupWindow() = default;

TVariant TPopupWindow::GetValue() {
    throw EAbstractError("Abstract Error");
}

void TPopupWindow::SetValue(const TVariant&) {
    throw EAbstractError("Abstract Error");
}

void TPopupWindow::CloseUp(bool accept) {
    if (OnCloseUp) OnCloseUp(*this, accept);
}

void TPopupWindow::Show(TPoint origin) {
    QWidget* frame = Widget();
    frame->move(origin.X, origin.Y);
    frame->show();
}

void TPopupWindow::Hide() {
    Widget()->hide();
}

bool TPopupWindow::Showing() const {
    return Widget()->isVisible();
}

void TPopupWindow::SetSize(int width, int height) {
    Widget()->resize(width, height);
}

void TPopupWindow::InvalidateEditor() {
    QWidget* edit = editor_.Widget();
    const int right = editor_.ButtonHolder()->x() - 2;
    edit->repaint(0, 0, right, edit->height() + 1);
}

void TPopupWindow::PopupMouseUp(int x, int y) {
    const QRect client = Widget()->rect();
    CloseUp(client.contains(x, y));
}

// ---- TEditButton --------------------------------------------------------------------------------

TEditButton::TEditButton(TCustomComboEdit& editor) : editor_(editor) {
    SetStyle(bsNew);
    SetLayout(blGlyphLeft);
}

void TEditButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        TPopupWindow* popup = editor_.Popup();
        noAction_ = popup && popup->Showing();
        if (editor_.PopupVisible()) {
            editor_.PopupCloseUp(*popup, true);
        } else if (editor_.Widget()->focusPolicy() & Qt::TabFocus && editor_.CanOperate() &&
                   !editor_.Focused()) {
            editor_.SetFocus();
        }
    }
    TKxSpeedButton::MouseDown(button, shift, x, y);
}

void TEditButton::Click() {
    if (noAction_) {
        noAction_ = false; // the press that closed the drop-down does not open it again
        return;
    }
    TKxSpeedButton::Click();
}

void TEditButton::PaintGlyph(QPainter& painter, const TRect& rect, TKxButtonState state, bool drawMark) {
    TKxSpeedButton::PaintGlyph(painter, rect, state, drawMark);
    if (state == rbsDown || state == rbsExclusive) return;
    const int height = Height();
    painter.setPen(ToQColor(clBtnFace));
    painter.drawLine(0, 0, 0, height - 1);
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawLine(1, 1, 1, height - 2);
}

// ---- TCustomComboEdit ---------------------------------------------------------------------------

TCustomComboEdit::TCustomComboEdit() : holder_(new QWidget(Line())) {
    button_ = std::make_unique<TEditButton>(*this);
    button_->Widget()->setParent(holder_);
    button_->Widget()->show();
    button_->OnClick = [this] { EditButtonClick(); };
    holder_->setCursor(Qt::ArrowCursor);
    holder_->show();
    button_->SetBounds(0, 0, kButtonWidth, kButtonHeight);
    Line()->resize(Line()->width(), kInitialHeight);
    new EventHook(Line(), [this](QEvent& event) {
        switch (event.type()) {
        case QEvent::Resize:
            UpdateControlsBounds();
            return false;
        case QEvent::FontChange:
            AdjustHeight();
            UpdateControlsBounds();
            return false;
        case QEvent::MouseButtonPress:
            return static_cast<QMouseEvent&>(event).button() == Qt::LeftButton && MousePressed();
        default:
            return false;
        }
    });
    AdjustHeight();
    UpdateControlsBounds();
    creating_ = false;
}

TCustomComboEdit::~TCustomComboEdit() {
    WatchOutsideClicks(false);
}

int TCustomComboEdit::MinimumHeight() const {
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int ownHeight = QFontMetrics(Line()->font()).height();
    return std::min(systemHeight, ownHeight) + 4 * 1 + 1;
}

void TCustomComboEdit::AdjustHeight() {
    Line()->setMinimumHeight(std::max(MinimumHeight(), std::min(kInitialHeight, Line()->minimumHeight())));
    if (Line()->height() < MinimumHeight()) Line()->resize(Line()->width(), MinimumHeight());
}

void TCustomComboEdit::UpdateControlsBounds() {
    QLineEdit* line = Line();
    const int width = holder_->isHidden() ? 0 : buttonWidth_;
    const bool framed = line->hasFrame();
    const int left = line->width() - width - (framed ? 2 : 0);
    const int top = framed ? 2 : 0;
    const int height = std::max(0, line->height() - (framed ? 4 : 0));
    holder_->setGeometry(left, top, width, height);
    button_->SetBounds(0, 0, width, height);
    line->setTextMargins(0, 0, width + 2, 0);
}

void TCustomComboEdit::ApplyWindowReadOnly() {
    TMaskEdit::SetReadOnly(readOnly_ || !directInput_);
}

void TCustomComboEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    ApplyWindowReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool directInput) {
    directInput_ = directInput;
    ApplyWindowReadOnly();
}

void TCustomComboEdit::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    const Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                                     : alignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    Line()->setAlignment(horizontal | Qt::AlignVCenter);
}

bool TCustomComboEdit::Modified() const {
    return Line()->isModified();
}

void TCustomComboEdit::SetModified(bool modified) {
    Line()->setModified(modified);
}

void TCustomComboEdit::SelectAll() {
    if (directInput_) TMaskEdit::SelectAll();
}

// ---- Button and picture -------------------------------------------------------------------------

int TCustomComboEdit::ButtonWidth() const {
    return holder_->isHidden() ? 0 : buttonWidth_;
}

int TCustomComboEdit::NaturalButtonWidth() const {
    if (glyphKind_ == gkDropDown) return ScrollBarWidth();
    if (glyphKind_ == gkDefault && !button_->Glyph().isNull())
        return std::max(button_->Glyph().width() / std::max(1, button_->NumGlyphs()) + 6, kButtonWidth);
    return kButtonWidth;
}

void TCustomComboEdit::SetButtonWidth(int width) {
    if (width == ButtonWidth()) return;
    holder_->setHidden(width < 2);
    if (creating_ || width < Line()->width()) buttonWidth_ = std::max(width, 0);
    UpdateControlsBounds();
    RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(const QImage& glyph) {
    button_->SetGlyph(glyph);
    glyphKind_ = gkCustom;
}

void TCustomComboEdit::SetNumGlyphs(int count) {
    if (glyphKind_ == gkCustom) button_->SetNumGlyphs(count);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
    if (kind == glyphKind_) return;
    glyphKind_ = kind;
    RecreateGlyph();
}

void TCustomComboEdit::RecreateGlyph() {
    auto widen = [this](int width) {
        buttonWidth_ = width;
        UpdateControlsBounds();
    };
    switch (glyphKind_) {
    case gkCustom:
        break;
    case gkDefault: {
        bool destroy = false;
        const QImage picture = GetDefaultBitmap(destroy);
        button_->SetGlyph(picture);
        button_->SetNumGlyphs(defNumGlyphs_);
        if (!picture.isNull())
            widen(std::max(picture.width() / std::max(1, defNumGlyphs_) + 6, ButtonWidth()));
        break;
    }
    case gkDropDown:
        button_->SetGlyph(ComboArrowBitmap());
        button_->SetNumGlyphs(1);
        widen(ScrollBarWidth());
        break;
    case gkEllipsis:
        button_->SetGlyph(EllipsisBitmap(ButtonWidth()));
        button_->SetNumGlyphs(1);
        break;
    }
}

QImage TCustomComboEdit::GetDefaultBitmap(bool& destroy) {
    destroy = false;
    return QImage();
}

// ---- Drop-down ------------------------------------------------------------------------------------

void TCustomComboEdit::PopupDropDown(bool disableEdit) {
    if (!popup_ || GetReadOnly() || popupVisible_) return;
    QLineEdit* line = Line();
    const QPoint p = line->mapToGlobal(QPoint(0, 0));
    const QRect screen = line->screen() ? line->screen()->geometry() : QRect(0, 0, 800, 600);
    const int popupWidth = popup_->Width(), popupHeight = popup_->Height(), editWidth = line->width();
    int y = p.y() + line->height();
    if (y + popupHeight > screen.bottom() + 1) y = p.y() - popupHeight;
    int x = p.x();
    if (popupAlign_ == epaRight) {
        x = p.x() - (popupWidth - editWidth);
        if (x < 0) x = p.x();
    } else if (x + popupWidth > screen.right() + 1) {
        x = p.x() - (popupWidth - editWidth);
    }
    if (x < 0)
        x = 0;
    else if (x + popupWidth > screen.right() + 1)
        x = screen.right() + 1 - popupWidth;
    const std::string text = Text();
    SetPopupValue(text.empty() ? Null : TVariant(text));
    if (CanOperate() && Visible()) SetFocus();
    ShowPopup({x, y});
    popupVisible_ = true;
    WatchOutsideClicks(true);
    if (disableEdit) TMaskEdit::SetReadOnly(true);
}

void TCustomComboEdit::PopupCloseUp(TPopupWindow&, bool accept) {
    if (!popup_ || !popupVisible_) return;
    struct ClearFlag {
        TCustomComboEdit& edit;
        ~ClearFlag() { edit.popupVisible_ = false; }
    } clearFlag{*this};
    WatchOutsideClicks(false);
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    TVariant value = GetPopupValue();
    HidePopup();
    if (CanOperate() && Visible()) SetFocus();
    ApplyWindowReadOnly();
    Line()->update();
    if (accept && AcceptPopup(value) && EditCanModify()) {
        AcceptValue(value);
        if (focused_) SelectAll();
    }
}

void TCustomComboEdit::ShowPopup(TPoint origin) {
    popup_->Show(origin);
}

void TCustomComboEdit::HidePopup() {
    popup_->Hide();
}

bool TCustomComboEdit::AcceptPopup(TVariant&) {
    return true;
}

void TCustomComboEdit::AcceptValue(const TVariant& value) {
    const std::string text = VarToStr(value);
    if (text == Text()) return;
    RefreshPopupVisible();
    SetText(text); // runs the change notification
    SetModified(true);
}

void TCustomComboEdit::SetPopupValue(const TVariant& value) {
    popup_->SetValue(value);
}

TVariant TCustomComboEdit::GetPopupValue() {
    return popup_->GetValue();
}

bool TCustomComboEdit::IsOwnWidget(const QObject* object) const {
    for (; object; object = object->parent())
        if (object == Widget() || (popup_ && object == popup_->Widget())) return true;
    return false;
}

// A press outside edit, button and drop-down cancels the drop-down, as any other control taking
// the mouse would.
void TCustomComboEdit::WatchOutsideClicks(bool watch) {
    if (!watch) {
        outsideClicks_.reset();
        return;
    }
    if (outsideClicks_) return;
    class OutsideFilter : public QObject {
    public:
        explicit OutsideFilter(TCustomComboEdit& edit) : edit_(edit) { qApp->installEventFilter(this); }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            const bool press = event->type() == QEvent::MouseButtonPress ||
                               event->type() == QEvent::NonClientAreaMouseButtonPress;
            if (press && watched->isWidgetType() && !edit_.IsOwnWidget(watched) && edit_.popup_)
                RunHandler([this] { edit_.PopupCloseUp(*edit_.popup_, false); });
            return false;
        }

    private:
        TCustomComboEdit& edit_;
    };
    outsideClicks_ = std::make_unique<OutsideFilter>(*this);
}

// ---- Change, keys, focus and mouse ----------------------------------------------------------------

void TCustomComboEdit::Change() {
    if (popupVisible_)
        PopupChange();
    else
        TMaskEdit::Change();
}

void TCustomComboEdit::EditButtonClick() {
    if (!readOnly_ || alwaysEnabled_) ButtonClick();
}

void TCustomComboEdit::ButtonClick() {
    Fire(OnButtonClick);
    if (!popup_) return;
    if (!popupVisible_)
        PopupDropDown(true);
    else
        PopupCloseUp(*popup_, true);
}

void TCustomComboEdit::KeyDown(WORD& key, TShiftState shift) {
    TMaskEdit::KeyDown(key, shift);
    if (key != 0 && ShortCut(key, shift) == clickKey_ && ButtonWidth() > 0) {
        EditButtonClick();
        key = 0;
    }
}

void TCustomComboEdit::KeyPress(char32_t& key) {
    if ((key == 13 || key == 27) && popupVisible_ && popup_) {
        PopupCloseUp(*popup_, key == 13);
        key = 0;
        return;
    }
    // Enter and Escape otherwise go on to the window, whose default and cancel buttons act.
    TMaskEdit::KeyPress(key);
}

void TCustomComboEdit::DoEnter() {
    focused_ = true;
    if (autoSelect_ && !(QApplication::mouseButtons() & Qt::LeftButton)) SelectAll();
    TMaskEdit::DoEnter();
}

void TCustomComboEdit::DoExit() {
    focused_ = false;
    if (popup_) PopupCloseUp(*popup_, false);
    TMaskEdit::DoExit();
}

bool TCustomComboEdit::MousePressed() {
    if (!popup_) return false;
    if (CanOperate()) SetFocus();
    if (!Focused()) return true; // the press is dropped
    if (popupVisible_) PopupCloseUp(*popup_, false);
    return false;
}

// ---- Unit functions ------------------------------------------------------------------------------------

TPoint EditorTextMargins(TCustomComboEdit& editor) {
    auto* line = static_cast<QLineEdit*>(editor.Widget());
    const int border = line->hasFrame() ? 1 : 0;
    return {line->textMargins().left() + border, border};
}

bool PaintComboEdit(TCustomComboEdit& editor, const std::string& text, TAlignment alignment,
                    QPainter& painter) {
    if (editor.Focused() && editor.CanOperate()) return false;
    auto* line = static_cast<QLineEdit*>(editor.Widget());
    const QRect area(0, 0, editor.ButtonHolder()->x(), line->height());
    painter.fillRect(area, line->palette().base());
    if (line->hasFrame()) {
        painter.setPen(ToQColor(clWindowFrame));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    painter.setPen(editor.CanOperate() ? line->palette().text().color() : ToQColor(clGrayText));
    const TPoint margins = EditorTextMargins(editor);
    const int flags = (alignment == taRightJustify ? Qt::AlignRight
                       : alignment == taCenter     ? Qt::AlignHCenter
                                                   : Qt::AlignLeft) |
                      Qt::AlignVCenter;
    painter.drawText(area.adjusted(margins.X + 1, margins.Y, -2, 0), flags, QString::fromStdString(text));
    return true;
}
