// Timer bookkeeping: due times, enable and disable, ordered delivery.
#include "TimerService.h"

#include <algorithm>

namespace kav {

TimerService::TimerService(Clock& clock) : clock_(&clock) {}

TimerService::~TimerService() = default;

int TimerService::add(int intervalMs, bool enabled, TickFn onTick) {
    Entry e;
    e.interval = std::max(intervalMs, 1);
    e.enabled = enabled;
    e.alive = true;
    e.due = clock_->nowMs() + e.interval;
    e.onTick = std::move(onTick);
    timers_.push_back(std::move(e));
    scheduleChanged();
    return static_cast<int>(timers_.size() - 1);
}

void TimerService::setEnabled(int id, bool enabled) {
    Entry& e = timers_.at(static_cast<std::size_t>(id));
    if (!e.alive || e.enabled == enabled) return;
    e.enabled = enabled;
    if (enabled) e.due = clock_->nowMs() + e.interval;
    scheduleChanged();
}

bool TimerService::enabled(int id) const {
    const Entry& e = timers_.at(static_cast<std::size_t>(id));
    return e.alive && e.enabled;
}

void TimerService::remove(int id) {
    Entry& e = timers_.at(static_cast<std::size_t>(id));
    e.alive = false;
    e.enabled = false;
    e.onTick = nullptr;
    e.control = nullptr;
    scheduleChanged();
}

void TimerService::attach(Window& window) {
    for (Control& c : window.controls()) {
        if (c.kind() != Kind::Timer) continue;
        Window* w = &window;
        std::string name(c.name());
        int id = add(c.def().interval, c.Enabled, [w, name] { w->raise(name, Event::Timer); });
        timers_[static_cast<std::size_t>(id)].control = &c;
    }
    window.addObserver(this);
}

void TimerService::detach(Window& window) {
    window.removeObserver(this);
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (timers_[i].control && &timers_[i].control->window() == &window) remove(static_cast<int>(i));
}

void TimerService::controlChanged(Control& control, PropId id) {
    if (id != PropId::Enabled || control.kind() != Kind::Timer) return;
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (timers_[i].control == &control) setEnabled(static_cast<int>(i), control.Enabled);
}

void TimerService::windowChanged(Window&, PropId id) {
    // A held tick falls due again as its window is shown.
    if (id == PropId::Visible) scheduleChanged();
}

bool TimerService::held(const Entry& e) {
    return e.control && e.control->def().refreshesView && !e.control->window().Visible;
}

std::optional<std::int64_t> TimerService::nextDue() const {
    std::optional<std::int64_t> best;
    for (const Entry& e : timers_)
        if (e.alive && e.enabled && !held(e) && (!best || e.due < *best)) best = e.due;
    return best;
}

int TimerService::pickDue(std::int64_t now, const std::vector<char>& delivered) const {
    int best = -1;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        const Entry& e = timers_[i];
        if (!e.alive || !e.enabled || held(e) || e.due > now || (i < delivered.size() && delivered[i])) continue;
        if (best < 0 || e.due < timers_[static_cast<std::size_t>(best)].due) best = static_cast<int>(i);
    }
    return best;
}

int TimerService::deliverDue() {
    // A timer delivered in this pass waits for the next pass, so a handler
    // slower than its interval cannot keep the loop here for ever.
    std::vector<char> delivered(timers_.size(), 0);
    int count = 0;
    for (;;) {
        const std::int64_t now = clock_->nowMs();
        const int i = pickDue(now, delivered);
        if (i < 0) break;
        Entry& e = timers_[static_cast<std::size_t>(i)];
        delivered[static_cast<std::size_t>(i)] = 1;
        // The count restarts now; a handler that disables its own timer
        // simply leaves it disabled.
        e.due = now + e.interval;
        TickFn fn = e.onTick; // the vector may grow while the handler runs
        ++count;
        if (fn) fn();
        if (delivered.size() < timers_.size()) delivered.resize(timers_.size(), 0);
    }
    if (count) scheduleChanged();
    return count;
}

void TimerService::advance(VirtualClock& clock, std::int64_t ms) {
    const std::int64_t target = clock.nowMs() + ms;
    for (;;) {
        auto due = nextDue();
        if (!due || *due > target) break;
        if (*due > clock.nowMs()) clock.set(*due);
        deliverDue();
    }
    if (clock.nowMs() < target) clock.set(target);
}

void TimerService::scheduleChanged() {
    if (onSchedule_) onSchedule_();
}

} // namespace kav
