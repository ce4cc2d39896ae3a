#include "kit/secret_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/forms/thread_post.h"

class SecretPanelWidget : public QWidget {
public:
    SecretPanelWidget() {
        resize(185, 41);
        new QVBoxLayout(this);
    }
    TSecretPanel* owner_ = nullptr; // set once the panel is made

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_) return;
        QPainter painter(this);
        RunHandler([&] { owner_->Paint(painter); });
    }
    void resizeEvent(QResizeEvent*) override {
        if (owner_) owner_->Changed(false);
    }
};

// The panel's lines: every change rebuilds the scrolling text of an active panel from its start.
class TSecretPanel::LineList : public TStrings {
public:
    explicit LineList(TSecretPanel& panel) : panel_(panel) {}
    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Strings(int index) const override {
        CheckIndex(index, Count());
        return lines_[static_cast<size_t>(index)];
    }
    void Put(int index, const std::string& text) override {
        CheckIndex(index, Count());
        lines_[static_cast<size_t>(index)] = text;
        panel_.Changed(true);
    }
    void Insert(int index, const std::string& text) override {
        CheckIndex(index, Count() + 1);
        lines_.insert(lines_.begin() + index, text);
        panel_.Changed(true);
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        lines_.erase(lines_.begin() + index);
        panel_.Changed(true);
    }
    void Clear() override {
        lines_.clear();
        panel_.Changed(true);
    }

private:
    TSecretPanel& panel_;
    std::vector<std::string> lines_;
};

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int AlignmentFlag(TAlignment alignment) {
    return alignment == taLeftJustify    ? Qt::AlignLeft
           : alignment == taRightJustify ? Qt::AlignRight
                                         : Qt::AlignHCenter;
}

} // namespace

TSecretPanel::TSecretPanel() : TControl(new SecretPanelWidget), lines_(std::make_unique<LineList>(*this)) {
    static_cast<SecretPanelWidget*>(Widget())->owner_ = this;
    timer_.SetEnabled(false);
    timer_.SetInterval(30);
    timer_.SetSyncEvent(false);
    timer_.SetOnTimer([this] {
        if (asyncDrawing_)
            Tick();
        else
            timer_.Synchronize([this] { Tick(); });
    });
}

TSecretPanel::~TSecretPanel() {
    static_cast<SecretPanelWidget*>(Widget())->owner_ = nullptr;
}

void TSecretPanel::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active)
        Start();
    else
        Finish();
}

void TSecretPanel::Start() {
    {
        std::lock_guard guard(lock_);
        BuildImage();
    }
    try {
        timer_.SetEnabled(true);
    } catch (...) {
        timer_.SetEnabled(false);
        throw;
    }
    StartPlay();
    for (QWidget* child : Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible()) {
            child->hide();
            hiddenChildren_.push_back(child);
        }
    Widget()->update();
}

void TSecretPanel::Finish() {
    timer_.SetEnabled(false);
    {
        std::lock_guard guard(lock_);
        image_ = QImage();
    }
    for (QWidget* child : hiddenChildren_)
        child->show();
    hiddenChildren_.clear();
    StopPlay();
    Widget()->update();
}

void TSecretPanel::Changed(bool restart) {
    if (!active_) {
        Widget()->update();
        return;
    }
    std::lock_guard guard(lock_);
    const int position = position_;
    BuildImage();
    if (!restart) {
        position_ = std::min(position, end_);
        DrawText();
    }
    Widget()->update();
}

int TSecretPanel::FrameWidth() const {
    return bevelOuter_ != bvNone ? 1 : 0;
}

// The text's lines from the first that is not blank, the rectangles and the image (under lock_).
void TSecretPanel::BuildImage() {
    snapshot_ = lines_ ? lines_->ToVector() : std::vector<std::string>{};
    firstLine_ = 0;
    while (firstLine_ < static_cast<int>(snapshot_.size()) && Trimmed(snapshot_[firstLine_]).empty())
        ++firstLine_;
    const QFontMetrics metrics(Widget()->font());
    lineHeight_ = metrics.height() + metrics.leading() + (textStyle_ != bvNone ? 1 : 0);
    ComputeRects();
    const int count = static_cast<int>(snapshot_.size()) - firstLine_;
    if (direction_ == sdVertical) {
        end_ = textRect_.height() + count * lineHeight_;
    } else {
        int widest = 0;
        for (int i = firstLine_; i < static_cast<int>(snapshot_.size()); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(ToQ(snapshot_[i])));
        end_ = widest + textRect_.width();
    }
    image_ = QImage(std::max(1, textRect_.width()), std::max(1, textRect_.height()), QImage::Format_ARGB32);
    position_ = 0;
    DrawText();
}

void TSecretPanel::ComputeRects() {
    const QRect client = Widget()->rect();
    const int g = FrameWidth();
    drawRect_ = client.adjusted(g, g, -g, -g);
    textRect_ = client.adjusted(g + 3, g + 3, -(g + 3), -(g + 3));
    glyphOrigin_ = QPoint();
    if (!glyph_.isNull()) {
        const int w = glyph_.width(), h = glyph_.height();
        switch (glyphLayout_) {
        case glGlyphLeft:
            glyphOrigin_ = {textRect_.left() + 3,
                            std::max(textRect_.top(), textRect_.top() + (textRect_.height() - h) / 2)};
            textRect_.setLeft(glyphOrigin_.x() + w + g + 3);
            break;
        case glGlyphRight:
            glyphOrigin_ = {std::max(textRect_.left(), textRect_.right() - w - 3),
                            std::max(textRect_.top(), textRect_.top() + (textRect_.height() - h) / 2)};
            textRect_.setRight(glyphOrigin_.x() - (g + 3));
            break;
        case glGlyphTop:
            glyphOrigin_ = {std::max(textRect_.left(), textRect_.left() + (textRect_.width() - w) / 2),
                            textRect_.top() + 3};
            textRect_.setTop(glyphOrigin_.y() + h + g + 6);
            break;
        case glGlyphBottom:
            glyphOrigin_ = {std::max(textRect_.left(), textRect_.left() + (textRect_.width() - w) / 2),
                            std::max(textRect_.top(), textRect_.bottom() - h - 3)};
            textRect_.setBottom(glyphOrigin_.y() - (g + 6));
            break;
        }
    }
    if (direction_ == sdHorizontal) {
        int last = static_cast<int>(snapshot_.size()) - 1;
        while (last >= firstLine_ && Trimmed(snapshot_[last]).empty())
            --last;
        const int block = std::max(0, last - firstLine_ + 1) * lineHeight_;
        if (block < textRect_.height()) {
            const int top = textRect_.top() + (textRect_.height() - block) / 2;
            textRect_ = QRect(textRect_.left(), top, textRect_.width(), block);
        }
    }
    if (textRect_.isEmpty()) textRect_ = QRect(0, 0, 0, 0);
}

// The visible part of the text into the image (under lock_).
void TSecretPanel::DrawText() {
    if (image_.isNull()) return;
    image_.fill(ToQColor(color_));
    QPainter painter(&image_);
    painter.setFont(Widget()->font());
    const int flags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | AlignmentFlag(alignment_);
    const int width = image_.width();
    for (int i = firstLine_; i < static_cast<int>(snapshot_.size()); ++i) {
        const int step = (i - firstLine_) * lineHeight_;
        QRect line = direction_ == sdVertical
                         ? QRect(0, image_.height() - position_ + step, width, lineHeight_)
                         : QRect(width - position_, step, width, lineHeight_);
        if (direction_ == sdHorizontal)
            line.setWidth(
                std::max(width, QFontMetrics(painter.font()).horizontalAdvance(ToQ(snapshot_[i])) + 1));
        if (line.bottom() < 0 || line.top() > image_.height()) continue;
        const QString text = ToQ(snapshot_[i]);
        const int flagsHere =
            direction_ == sdHorizontal ? (flags & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft : flags;
        if (textStyle_ != bvNone) {
            painter.setPen(ToQColor(clBtnHighlight));
            painter.drawText(line.translated(textStyle_ == bvLowered ? QPoint(1, 1) : QPoint(-1, -1)),
                             flagsHere, text);
        }
        painter.setPen(ToQColor(fontColor_));
        painter.drawText(line, flagsHere, text);
    }
}

// One step: the text moves by a pixel; at its end a cycled panel starts again, another stops.
void TSecretPanel::Tick() {
    bool finished = false;
    {
        std::lock_guard guard(lock_);
        if (image_.isNull()) return;
        if (position_ < end_) {
            ++position_;
        } else if (cycled_) {
            position_ = 0;
        } else {
            finished = true;
        }
        if (!finished) DrawText();
    }
    if (finished) {
        timer_.Synchronize([this] { SetActive(false); });
        return;
    }
    QWidget* widget = Widget();
    PostToThreadOf(widget, [widget] { widget->update(); });
}

int TSecretPanel::Position() const {
    std::lock_guard guard(lock_);
    return position_;
}

int TSecretPanel::ScrollEnd() const {
    std::lock_guard guard(lock_);
    return end_;
}

void TSecretPanel::PaintClient(QPainter& canvas, const QRect& rect) {
    if (OnPaintClient) OnPaintClient(canvas, rect);
}

void TSecretPanel::Paint(QPainter& painter) {
    const QRect client = Widget()->rect();
    painter.fillRect(client, ToQColor(color_));
    if (bevelOuter_ != bvNone) {
        const bool lowered = bevelOuter_ == bvLowered;
        painter.setPen(ToQColor(lowered ? clBtnShadow : clBtnHighlight));
        painter.drawLine(client.topLeft(), client.topRight());
        painter.drawLine(client.topLeft(), client.bottomLeft());
        painter.setPen(ToQColor(lowered ? clBtnHighlight : clBtnShadow));
        painter.drawLine(client.bottomLeft(), client.bottomRight());
        painter.drawLine(client.topRight(), client.bottomRight());
    }
    QRect inside;
    QImage image;
    QPoint glyphAt, textAt;
    {
        std::lock_guard guard(lock_);
        inside = drawRect_.isNull() ? client.adjusted(1, 1, -1, -1) : drawRect_;
        image = image_;
        glyphAt = glyphOrigin_;
        textAt = textRect_.topLeft();
    }
    PaintClient(painter, inside);
    if (!active_) return;
    if (!glyph_.isNull()) {
        // The glyph's bottom-left pixel is its transparent colour.
        QImage glyph = glyph_.convertToFormat(QImage::Format_ARGB32);
        const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (glyph.pixel(x, y) == transparent) glyph.setPixel(x, y, qRgba(0, 0, 0, 0));
        painter.drawImage(glyphAt, glyph);
    }
    if (!image.isNull()) painter.drawImage(textAt, image);
}

void TSecretPanel::InsertControl(TControl& control) {
    Widget()->layout()->addWidget(control.Widget());
    control.Placed();
}

void TSecretPanel::SetAlignment(TAlignment alignment) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        alignment_ = alignment;
    }
    Changed(false);
}
void TSecretPanel::SetGlyph(const QImage& glyph) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        glyph_ = glyph;
    }
    Changed(false);
}
void TSecretPanel::SetGlyphLayout(TGlyphLayout layout) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        glyphLayout_ = layout;
    }
    Changed(false);
}
void TSecretPanel::SetScrollDirection(TScrollDirection direction) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        direction_ = direction;
    }
    Changed(false);
}
void TSecretPanel::SetTextStyle(TBevelCut style) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        textStyle_ = style;
    }
    Changed(false);
}
void TSecretPanel::SetBevelOuter(TBevelCut bevel) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        bevelOuter_ = bevel;
    }
    Changed(false);
}
void TSecretPanel::SetColor(TColor color) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        color_ = color;
    }
    Changed(false);
}
void TSecretPanel::SetFontColor(TColor color) {
    {
        std::lock_guard guard(lock_); // the timer's worker draws with it
        fontColor_ = color;
    }
    Changed(false);
}
