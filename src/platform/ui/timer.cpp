#include "platform/ui/timer.h"

#include <QTimer>

namespace ui {
namespace {
bool g_manual = false;
}

Timer::Timer(QObject* parent, const QString& name, int intervalMs, std::function<void()> tick)
    : QObject(parent), timer_(new QTimer(this)), intervalMs_(intervalMs), tick_(std::move(tick)) {
    setObjectName(name);
    timer_->setInterval(intervalMs_);
    connect(timer_, &QTimer::timeout, this, [this] { Fire(); });
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_ && !g_manual) {
        timer_->start();
    } else {
        timer_->stop();
    }
}

bool Timer::Fire() {
    if (!enabled_ || !tick_) return false;
    tick_();
    return true;
}

void Timer::SetManualMode(bool manual) { g_manual = manual; }
bool Timer::ManualMode() { return g_manual; }

}  // namespace ui
