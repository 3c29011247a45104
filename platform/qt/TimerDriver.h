#pragma once
// Drives the timer service from the Qt event loop: one precise single-shot
// QTimer is armed for the earliest due tick, and when it fires the service
// delivers what is due. Ticks keep coming while a modal dialog runs its own
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
