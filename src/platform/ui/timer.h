#pragma once
// An interval timer of a form. Tests switch every timer to manual mode, in which no
// real clock drives it and they fire the ticks themselves.

#include <QObject>
#include <functional>

class QTimer;

namespace ui {

class Timer : public QObject {
    Q_OBJECT

public:
    Timer(QObject* parent, const QString& name, int intervalMs, std::function<void()> tick);

    bool Enabled() const { return enabled_; }
    // Switching it on starts a fresh interval.
    void SetEnabled(bool enabled);
    int Interval() const { return intervalMs_; }

    // Runs the tick handler now when the timer is on; returns whether it ran.
    bool Fire();

    // Manual mode for every timer created or switched on afterwards.
    static void SetManualMode(bool manual);
    static bool ManualMode();

private:
    QTimer* timer_;
    int intervalMs_;
    bool enabled_ = false;
    std::function<void()> tick_;
};

}  // namespace ui
