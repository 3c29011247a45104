// Arming the one Qt timer for the earliest due tick.
#include "platform/qt/TimerDriver.h"

#include <algorithm>

namespace kav::qt {

TimerDriver::TimerDriver(TimerService& service) : service_(service) {
    timer_.setSingleShot(true);
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
    const std::int64_t wait = std::max<std::int64_t>(0, *due - service_.clock().nowMs());
    // Re-arming only when the wait changes keeps an idle program quiet.
    if (timer_.isActive() && timer_.remainingTime() == wait) return;
    constexpr std::int64_t kDay = std::int64_t{24} * 3600 * 1000;
    timer_.start(static_cast<int>(std::min(wait, kDay)));
}

} // namespace kav::qt
