#include "platform/forms/indicators.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

#include "platform/forms/errors.h"
#include "platform/forms/event_hook.h"

// ---- Shape --------------------------------------------------------------------------------
class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(TShape& shape) : shape_(shape) { setMinimumSize(16, 16); }
    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(ToQColor(shape_.brushColor_));
        painter.setPen(ToQColor(shape_.penColor_));
        QRect area = rect().adjusted(0, 0, -1, -1);
        const bool square =
            shape_.shape_ == stSquare || shape_.shape_ == stRoundSquare || shape_.shape_ == stCircle;
        if (square) {
            const int side = std::min(area.width(), area.height());
            area = QRect(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
        }
        switch (shape_.shape_) {
        case stEllipse:
        case stCircle:
            painter.drawEllipse(area);
            break;
        case stRoundRect:
        case stRoundSquare:
            painter.drawRoundedRect(area, 4, 4);
            break;
        default:
            painter.drawRect(area);
            break;
        }
    }

private:
    TShape& shape_;
};

TShape::TShape() : TControl(new ShapeWidget(*this)) {
    Widget()->setFixedSize(24, 24);
}

void TShape::SetBrushColor(TColor color) {
    brushColor_ = color;
    Widget()->update();
}

void TShape::SetPenColor(TColor color) {
    penColor_ = color;
    Widget()->update();
}

void TShape::SetShape(TShapeType shape) {
    shape_ = shape;
    Widget()->update();
}

// ---- Status bar ------------------------------------------------------------------------------
namespace {
constexpr int kRightMargin = 2;
} // namespace

TStatusBar::TStatusBar() : TControl(new QStatusBar), bar_(static_cast<QStatusBar*>(Widget())) {
    bar_->setSizeGripEnabled(false);
    // Qt's bar keeps its panels clear of the window's left and bottom edges, not of its right one,
    // where the last panel's frame would be cut off: the same room on that side.
    bar_->setContentsMargins(0, 0, kRightMargin, 0);
    simpleLabel_ = new QLabel(bar_);
    bar_->addWidget(simpleLabel_, 1);
}

void TStatusBar::SetSimplePanel(bool simple) {
    simplePanel_ = simple;
    Arrange();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    simpleLabel_->setText(ToQ(text));
}

int TStatusBar::AddPanel(int width, const std::string& text) {
    auto* panel = new QLabel(ToQ(text), bar_);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_.push_back(panel);
    widths_.push_back(width);
    Arrange();
    return PanelCount() - 1;
}

QLabel& TStatusBar::Panel(int index) const {
    if (index < 0 || index >= PanelCount()) throw EStringListError(ListIndexError(index));
    return *panels_[index];
}

std::string TStatusBar::PanelText(int index) const {
    return FromQ(Panel(index).text());
}
void TStatusBar::SetPanelText(int index, const std::string& text) {
    Panel(index).setText(ToQ(text));
}
int TStatusBar::PanelWidth(int index) const {
    Panel(index); // raises for an index out of bounds
    return widths_[index];
}
void TStatusBar::SetPanelWidth(int index, int width) {
    Panel(index); // raises for an index out of bounds
    widths_[index] = width;
    Arrange();
}

// Every panel but the last has its width; the last one takes the rest of the bar (at least its
// width), so that a long text in a single panel is not cut at the panel's nominal width.
void TStatusBar::Arrange() {
    const bool simple = simplePanel_ || panels_.empty();
    simpleLabel_->setVisible(simple);
    for (size_t i = 0; i < panels_.size(); ++i) {
        QLabel* panel = panels_[i];
        const bool last = i + 1 == panels_.size();
        bar_->removeWidget(panel);
        bar_->addWidget(panel, last ? 1 : 0);
        panel->setMinimumWidth(widths_[i]);
        panel->setMaximumWidth(last ? QWIDGETSIZE_MAX : widths_[i]);
        panel->setVisible(!simple);
    }
}

// ---- Progress bar -------------------------------------------------------------------------------
TProgressBar::TProgressBar() : TControl(new QProgressBar), bar_(static_cast<QProgressBar*>(Widget())) {
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
}

int TProgressBar::Min() const {
    return bar_->minimum();
}
void TProgressBar::SetMin(int min) {
    bar_->setMinimum(min);
}
int TProgressBar::Max() const {
    return bar_->maximum();
}
void TProgressBar::SetMax(int max) {
    bar_->setMaximum(max);
}
int TProgressBar::Position() const {
    return bar_->value();
}
void TProgressBar::SetPosition(int position) {
    bar_->setValue(std::clamp(position, Min(), std::max(Min(), Max())));
}

// ---- Gauge ---------------------------------------------------------------------------------
class GaugeWidget : public QWidget {
public:
    explicit GaugeWidget(TGauge& gauge) : gauge_(gauge) { setMinimumHeight(20); }
    QSize sizeHint() const override { return {200, 22}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(area, ToQColor(gauge_.backColor_));
        const int done = gauge_.PercentDone();
        QRect filled = area;
        filled.setWidth(area.width() * done / 100);
        painter.fillRect(filled, ToQColor(gauge_.foreColor_));
        painter.setPen(Qt::gray);
        painter.drawRect(area);
        // The percentage in the back colour over the filled part, in the fore colour elsewhere.
        const QString text = QString::number(done) + "%";
        painter.setPen(ToQColor(gauge_.foreColor_));
        painter.drawText(area, Qt::AlignCenter, text);
        painter.setClipRect(filled);
        painter.setPen(ToQColor(gauge_.backColor_));
        painter.drawText(area, Qt::AlignCenter, text);
    }

private:
    TGauge& gauge_;
};

TGauge::TGauge() : TControl(new GaugeWidget(*this)) {}

void TGauge::SetMinValue(int value) {
    minValue_ = value;
    progress_ = std::max(progress_, minValue_);
    Changed();
}

void TGauge::SetMaxValue(int value) {
    maxValue_ = value;
    progress_ = std::min(progress_, std::max(minValue_, maxValue_));
    Changed();
}

void TGauge::SetProgress(int value) {
    progress_ = std::clamp(value, minValue_, std::max(minValue_, maxValue_));
    Changed();
}

int TGauge::PercentDone() const {
    const long long span = static_cast<long long>(maxValue_) - minValue_;
    if (span <= 0) return 0;
    return static_cast<int>((static_cast<long long>(progress_) - minValue_) * 100 / span);
}

void TGauge::SetForeColor(TColor color) {
    foreColor_ = color;
    Changed();
}

void TGauge::SetBackColor(TColor color) {
    backColor_ = color;
    Changed();
}

void TGauge::Changed() {
    Widget()->update();
}

// ---- Image ----------------------------------------------------------------------------------
TImage::TImage() : TControl(new QLabel), label_(static_cast<QLabel*>(Widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    new EventHook(label_, [this](QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease) Fire(OnClick);
        return false;
    });
}

void TImage::LoadFromFile(const std::string& path) {
    QImage image;
    if (!image.load(ToQ(path))) throw EInvalidGraphic("Bitmap image is not valid");
    label_->setPixmap(QPixmap::fromImage(image));
}

void TImage::Clear() {
    label_->clear();
}
bool TImage::Empty() const {
    return label_->pixmap().isNull();
}
int TImage::PictureWidth() const {
    return label_->pixmap().width();
}
int TImage::PictureHeight() const {
    return label_->pixmap().height();
}
void TImage::SetStretch(bool stretch) {
    label_->setScaledContents(stretch);
}
