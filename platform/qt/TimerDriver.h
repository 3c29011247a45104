#pragma once
// Drives the timer service from the Qt event loop: one precise repeating
// QTimer fires at the earliest due tick, and is started anew only when its
// next firing would not fall on the next due tick. Ticks keep coming while a
// modal dialog runs, and stand still while a handler blocks (the CD tray).

#include "model/TimerService.h"

#include <QElapsedTimer>
#include <QTimer>

namespace kav::qt {

class SteadyClock final : public Clock {
public:
    SteadyClock() { timer_.start(); }
    std::int64_t nowMs() const override { return timer_.elapsed(); }
    // The same clock to the nanosecond.
    std::int64_t nowNs() const { return timer_.nsecsElapsed(); }

private:
    QElapsedTimer timer_;
};

class TimerDriver {
public:
    // `clock` is the service's clock.
    TimerDriver(TimerService& service, const SteadyClock& clock);
    ~TimerDriver();

private:
    void fired();
    void arm();

    TimerService& service_;
    const SteadyClock& clock_;
    QTimer timer_;
    // When the Qt timer fires next, on the clock, to the nanosecond (never
    // later than Qt's own reckoning), and the period it repeats with.
    std::int64_t nextFireNs_ = 0;
    std::int64_t periodNs_ = 0;
};

} // namespace kav::qt
