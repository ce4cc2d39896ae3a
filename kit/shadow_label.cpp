#include "kit/shadow_label.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QShortcut>
#include <QWidget>

class LabelWidget : public QWidget {
public:
    LabelWidget() { resize(65, 17); }
    TKxLabel* owner_ = nullptr; // set once the label is made

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_) return;
        QPainter painter(this);
        RunHandler([&] { owner_->Paint(painter); });
    }
    void mouseReleaseEvent(QMouseEvent*) override { Fire(owner_->OnClick); }
    void enterEvent(QEnterEvent*) override {
        if (isEnabled()) Fire(owner_->OnMouseEnter);
    }
    void leaveEvent(QEvent*) override {
        if (isEnabled()) Fire(owner_->OnMouseLeave);
    }
    void changeEvent(QEvent* event) override {
        const bool looksChange =
            event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange;
        if (owner_ && looksChange) owner_->Changed();
        QWidget::changeEvent(event);
    }
};

namespace {

QPoint ShadowOffset(TShadowPosition pos, int size) {
    switch (pos) {
    case spLeftTop:
        return {-size, -size};
    case spLeftBottom:
        return {-size, size};
    case spRightBottom:
        return {size, size};
    default:
        return {size, -size};
    }
}

} // namespace

int DrawShadowText(QPainter& painter, const std::string& text, QRect& rect, int flags, int shadowSize,
                   TColor shadowColor, TShadowPosition shadowPos) {
    const QString qtext = ToQ(text);
    const QPen textPen = painter.pen();
    QRect shadow = rect.translated(ShadowOffset(shadowPos, shadowSize));
    QRect drawnShadow, drawnText;
    painter.setPen(ToQColor(shadowColor));
    painter.drawText(shadow, flags, qtext, &drawnShadow);
    painter.setPen(textPen);
    painter.drawText(rect, flags, qtext, &drawnText);
    rect = drawnText.united(drawnShadow);
    return drawnText.height() + (shadowSize > 0 ? shadowSize : 0);
}

TKxLabel::TKxLabel() : TControl(new LabelWidget) {
    static_cast<LabelWidget*>(Widget())->owner_ = this;
    accelerator_ = new QShortcut(Widget());
    accelerator_->setContext(Qt::WindowShortcut);
    QObject::connect(accelerator_, &QShortcut::activated, [this] {
        if (focusControl_ && focusControl_->CanOperate() && focusControl_->Widget()->isVisible())
            focusControl_->SetFocus();
    });
    QObject::connect(qApp, &QApplication::focusChanged, Widget(), [this] { FocusChanged(); });
    Changed();
}

void TKxLabel::SetFocusControl(TControl* control) {
    focusControl_ = control;
    FocusChanged();
}

void TKxLabel::SetShowFocus(bool show) {
    showFocus_ = show;
    FocusChanged();
    Widget()->update();
}

void TKxLabel::FocusChanged() {
    const QWidget* focus = QApplication::focusWidget();
    const QWidget* target = focusControl_ ? focusControl_->Widget() : nullptr;
    const bool focused = target && focus && (focus == target || target->isAncestorOf(focus));
    if (focused == focused_) return;
    focused_ = focused;
    if (showFocus_) Widget()->update();
}

// Alt and the letter after a single "&" of the caption, while the accelerator is shown.
void TKxLabel::UpdateAccelerator() {
    const QKeySequence key = showAccelChar_ ? QKeySequence::mnemonic(ToQ(GetLabelCaption())) : QKeySequence();
    accelerator_->setKey(key);
}

int TKxLabel::TextFlags() const {
    int flags = Qt::TextExpandTabs;
    if (wordWrap_) flags |= Qt::TextWordWrap;
    if (showAccelChar_) flags |= Qt::TextShowMnemonic;
    flags |= alignment_ == taRightJustify ? Qt::AlignRight
             : alignment_ == taCenter     ? Qt::AlignHCenter
                                          : Qt::AlignLeft;
    return flags | Qt::AlignTop;
}

// The caption with its shadow; a disabled label is gray with a highlight shadow of at least one pixel.
int TKxLabel::DoDrawText(QPainter& painter, QRect& rect, int flags) {
    std::string text = GetLabelCaption();
    if (text.empty() || (text == "&" && showAccelChar_)) text += " ";
    int size = shadowSize_;
    TShadowPosition pos = shadowPos_;
    TColor shadow = shadowColor_;
    TColor font = GetDefaultFontColor();
    if (!Widget()->isEnabled()) {
        font = clGrayText;
        shadow = clBtnHighlight;
        if (size == 0) {
            size = 1;
            pos = spRightBottom;
        }
    }
    painter.setPen(ToQColor(font));
    painter.setFont(Widget()->font());
    return DrawShadowText(painter, text, rect, flags, size, shadow, pos);
}

void TKxLabel::Paint(QPainter& painter) {
    const QRect client = Widget()->rect();
    if (!transparent_) painter.fillRect(client, ToQColor(color_));
    QRect textRect = client.adjusted(1, 0, -1, 0);
    const int flags = TextFlags();
    if (layout_ != tlTop) {
        QRect measured = textRect;
        QImage scratch(1, 1, QImage::Format_ARGB32);
        QPainter measure(&scratch);
        DoDrawText(measure, measured, flags);
        const int free = textRect.height() - measured.height();
        textRect.translate(0, layout_ == tlCenter ? free / 2 : free);
    }
    DoDrawText(painter, textRect, flags);
    if (showFocus_ && focused_) { // a dotted frame, as a focus rectangle is drawn on any style
        painter.save();
        painter.setPen(QPen(ToQColor(GetDefaultFontColor()), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(textRect.adjusted(-1, 0, 0, -1));
        painter.restore();
    }
}

// With AutoSize the label takes the size of its text, with one pixel on each side; right-aligned text
// keeps its right edge. Without it the label can be given any size.
void TKxLabel::AdjustBounds() {
    QWidget* widget = Widget();
    if (!autoSize_) {
        widget->setMinimumSize(0, 0);
        widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    const int right = widget->x() + widget->width();
    std::string text = GetLabelCaption();
    if (text.empty() || (text == "&" && showAccelChar_)) text += " ";
    const QFontMetrics metrics(Widget()->font());
    const int wrapWidth = wordWrap_ ? std::max(Width(), 1) : 100000;
    QRect measured = metrics.boundingRect(QRect(0, 0, wrapWidth, 100000), TextFlags(), ToQ(text));
    const int extra = shadowSize_ + 2;
    if (!wordWrap_) widget->setFixedWidth(measured.width() + extra);
    widget->setFixedHeight(measured.height() + shadowSize_);
    if (alignment_ == taRightJustify) widget->move(right - widget->width(), widget->y());
}

void TKxLabel::Changed() {
    AdjustBounds();
    UpdateAccelerator();
    Widget()->update();
}

void TKxLabel::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}
void TKxLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}
void TKxLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Changed();
}
void TKxLabel::SetLayout(TTextLayout layout) {
    layout_ = layout;
    Changed();
}
void TKxLabel::SetShadowColor(TColor color) {
    shadowColor_ = color;
    Changed();
}
void TKxLabel::SetShadowSize(int size) {
    shadowSize_ = std::clamp(size, 0, 255);
    Changed();
}
void TKxLabel::SetShadowPos(TShadowPosition pos) {
    shadowPos_ = pos;
    Changed();
}
void TKxLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    Changed();
}
void TKxLabel::SetShowAccelChar(bool show) {
    showAccelChar_ = show;
    Changed();
}
void TKxLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Widget()->setAttribute(Qt::WA_TranslucentBackground, transparent);
    Changed();
}
void TKxLabel::SetColor(TColor color) {
    color_ = color;
    Changed();
}
void TKxLabel::SetFontColor(TColor color) {
    fontColor_ = color;
    Changed();
}
void TKxLabel::SetFontBold(bool bold) {
    QFont font = Widget()->font();
    font.setBold(bold);
    Widget()->setFont(font);
    Changed();
}
