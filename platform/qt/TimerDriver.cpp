// Arming the one Qt timer for the earliest due tick.
#include "platform/qt/TimerDriver.h"

#include <algorithm>
#include <cstdlib>

namespace kav::qt {

TimerDriver::TimerDriver(TimerService& service) : service_(service) {
    timer_.setSingleShot(false);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        service_.deliverDue();
        arm();
    });
    service_.setScheduleListener([this] { arm(); });
    arm();
}

TimerDriver::~TimerDriver() { service_.setScheduleListener(nullptr); }

void TimerDriver::arm() {
    const auto due = service_.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    constexpr std::int64_t kDay = std::int64_t{24} * 3600 * 1000;
    const std::int64_t wait = std::clamp<std::int64_t>(*due - service_.clock().nowMs(), 0, kDay);
    // The timer repeats: while the next tick keeps falling one interval after
    // the last (the operation counter every 100 ms), it runs on as it is, and
    // an idle program neither stops nor starts a timer. A millisecond either
    // way is the rounding of the clock.
    if (timer_.isActive() && std::abs(timer_.remainingTime() - wait) <= 1) return;
    timer_.start(static_cast<int>(wait));
}

} // namespace kav::qt
