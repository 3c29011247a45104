#include "platform/qt/TimerDriver.h"

#include <algorithm>

namespace kav::qt {

constexpr std::int64_t kNsPerMs = 1'000'000;

TimerDriver::TimerDriver(TimerService& service, const SteadyClock& clock) : service_(service), clock_(clock) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fired(); });
    service_.setScheduleListener([this] { arm(); });
    arm();
}

TimerDriver::~TimerDriver() { service_.setScheduleListener(nullptr); }

void TimerDriver::fired() {
    // A precise Qt timer keeps its beat; one that fell a whole period behind
    // starts its beat again from now.
    const std::int64_t now = clock_.nowNs();
    nextFireNs_ += periodNs_;
    if (nextFireNs_ <= now) nextFireNs_ = now + periodNs_;
    // A delivery re-arms through the schedule listener; a wake-up that
    // delivered nothing re-arms here.
    if (service_.deliverDue() == 0) arm();
}

void TimerDriver::arm() {
    const auto due = service_.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    constexpr std::int64_t kDayMs = std::int64_t{24} * 3600 * 1000;
    const std::int64_t dueNs = *due * kNsPerMs;
    // The timer runs on while its next firing comes within a millisecond after
    // the tick is due: an idle program neither stops nor starts a timer, and
    // is never woken before a tick is due.
    if (timer_.isActive() && nextFireNs_ >= dueNs && nextFireNs_ <= dueNs + kNsPerMs) return;
    const std::int64_t now = clock_.nowNs();
    const std::int64_t waitMs = std::clamp<std::int64_t>((dueNs - now + kNsPerMs - 1) / kNsPerMs, 0, kDayMs);
    // Read before the start, so Qt's own count begins no earlier.
    nextFireNs_ = now + waitMs * kNsPerMs;
    periodNs_ = std::max<std::int64_t>(waitMs, 1) * kNsPerMs;
    timer_.start(static_cast<int>(waitMs));
}

} // namespace kav::qt
