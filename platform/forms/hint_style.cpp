#include "platform/forms/hint_style.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "platform/clock/clock.h"
#include "platform/forms/control.h"

namespace {

constexpr const char* kStyledHintName = "styledHint";

// Owned by the control's widget; its hint window lives as long as it does.
class StyledHint : public QObject {
public:
    StyledHint(QWidget* owner, const HintStyle& style) : QObject(owner), owner_(owner), style_(style) {
        setObjectName(kStyledHintName);
        window_ = new QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget);
        window_->setFrameShape(QFrame::Box);
        window_->setMargin(2);
        window_->setAutoFillBackground(true);
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, ToQColor(style.Color));
        palette.setColor(QPalette::WindowText, Qt::black);
        window_->setPalette(palette);
        hide_.setSingleShot(true);
        reshow_.setSingleShot(true);
        QObject::connect(&hide_, &QTimer::timeout, window_, &QWidget::hide);
        QObject::connect(&reshow_, &QTimer::timeout, this, [this] { Show(); });
        owner->installEventFilter(this);
        // A scroll area gets the pointer's events on its viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(owner))
            area->viewport()->installEventFilter(this);
    }
    ~StyledHint() override { delete window_; }

    QWidget* Window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ToolTip:
            at_ = static_cast<QHelpEvent*>(event)->globalPos();
            Show();
            return true;
        case QEvent::Leave:
        case QEvent::Hide:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            Stop();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Show() {
        const QString text = owner_ ? owner_->toolTip() : QString();
        if (text.isEmpty() || !owner_->isVisible()) {
            Stop();
            return;
        }
        window_->setText(text);
        window_->adjustSize();
        window_->move(at_ + QPoint(2, 16));
        window_->show();
        window_->raise();
        hide_.start(static_cast<int>(ScaledMs(style_.ShowMs)));
        reshow_.start(static_cast<int>(ScaledMs(style_.ReshowMs)));
    }

    void Stop() {
        hide_.stop();
        reshow_.stop();
        window_->hide();
    }

    QPointer<QWidget> owner_;
    HintStyle style_;
    QLabel* window_ = nullptr;
    QTimer hide_, reshow_;
    QPoint at_;
};

StyledHint* FindStyledHint(const TControl& control) {
    QWidget* widget = control.Widget();
    // Only a StyledHint carries this name.
    QObject* found =
        widget ? widget->findChild<QObject*>(kStyledHintName, Qt::FindDirectChildrenOnly) : nullptr;
    return static_cast<StyledHint*>(found);
}

} // namespace

void SetHintStyle(TControl& control, const HintStyle& style) {
    if (!control.Widget()) return;
    delete FindStyledHint(control);
    new StyledHint(control.Widget(), style);
}

QWidget* StyledHintWindow(const TControl& control) {
    const StyledHint* hint = FindStyledHint(control);
    return hint ? hint->Window() : nullptr;
}
