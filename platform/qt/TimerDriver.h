#pragma once
// Drives the timer service from the Qt event loop: one precise repeating
// QTimer fires at the earliest due tick, the service delivers what is due,
// and the timer is started anew only when the next tick is not one of its
// intervals away. Ticks keep coming while a modal dialog runs its own
// event loop, and stand still while a handler blocks (the CD tray).

#include "model/TimerService.h"

#include <QElapsedTimer>
#include <QTimer>

namespace kav::qt {

class SteadyClock final : public Clock {
public:
    SteadyClock() { timer_.start(); }
    std::int64_t nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

class TimerDriver {
public:
    explicit TimerDriver(TimerService& service);
    ~TimerDriver();
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;

private:
    void arm();

    TimerService& service_;
    QTimer timer_;
};

} // namespace kav::qt
