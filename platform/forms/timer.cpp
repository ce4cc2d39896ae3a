#include "platform/forms/timer.h"

#include <QTimer>

#include "platform/clock/clock.h"

TTimer::TTimer() : timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Fire(OnTimer); });
    Update();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned ms) {
    interval_ = ms;
    Update();
}

void TTimer::Update() {
    if (!enabled_ || interval_ == 0) {
        timer_->stop();
        return;
    }
    timer_->start(static_cast<int>(ScaledMs(interval_)));
}
