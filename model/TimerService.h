#pragma once
// The program's only means of delay and sequencing. The service follows the
// timer rules itself rather than leaning on a toolkit timer:
//  - while enabled, a timer ticks every Interval ms; the count starts when it
//    is enabled and restarts at each tick, from the moment the tick fell due,
//    so a late delivery does not push the later ticks back (a timer that fell
//    a whole interval behind counts from its late tick instead);
//  - enabling an enabled timer changes nothing, the running count goes on;
//  - disabling stops it at once, dropping a tick that had already fallen due;
//  - a timer has at most one pending tick, so ticks never pile up;
//  - ticks due at the same moment are delivered in registration order;
//  - a timer that only refreshes its window's view holds its due tick while
//    the window is hidden and delivers it when the window is shown again.
// Time comes from an injected Clock: the Qt side uses a monotonic clock and
// arms one timer for nextDue() and calls deliverDue() when it fires.

#include "Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kav {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class TimerService final : private WindowObserver {
public:
    explicit TimerService(Clock& clock);
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    using TickFn = std::function<void()>;
    // Registers a timer; returns its id. An enabled timer starts counting now.
    int add(int intervalMs, bool enabled, TickFn onTick);
    void setEnabled(int id, bool enabled);

    // Registers every timer control of the window and follows their Enabled
    // property; each tick raises the control's Timer event on the window.
    void attach(Window& window);
    // Removes the window's timers for good (before the window is destroyed).
    void detach(Window& window);

    // The earliest moment a tick is due, or nothing when no timer runs.
    std::optional<std::int64_t> nextDue() const;
    // Delivers the ticks due now, one at a time, each timer at most once.
    // Returns how many ticks were delivered.
    int deliverDue();

    // Told whenever nextDue() may have changed, so a real event loop can re-arm.
    void setScheduleListener(std::function<void()> listener) { onSchedule_ = std::move(listener); }

private:
    struct Entry {
        int interval = 0;
        bool enabled = false;
        bool alive = false;
        std::int64_t due = 0;
        // Shared, so a delivery holds the handler without copying it.
        std::shared_ptr<const TickFn> onTick;
        Control* control = nullptr;
        // The delivery pass that last delivered this timer.
        unsigned pass = 0;
    };

    void controlChanged(Control& control, PropId id) override;
    void windowChanged(Window& window, PropId id) override;
    // The timer is due but its window is hidden and it only refreshes the view.
    static bool held(const Entry& e);
    int pickDue(std::int64_t now, unsigned pass) const;
    // Keeps `running_` in step with the entry's alive and enabled flags.
    void updateRunning(int id);
    void scheduleChanged();

    Clock* clock_;
    std::vector<Entry> timers_;
    // The ids of the alive, enabled timers in registration order: the only
    // ones the idle program looks at on each tick.
    std::vector<int> running_;
    unsigned pass_ = 0;
    std::function<void()> onSchedule_;
};

} // namespace kav
