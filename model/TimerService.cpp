// Timer bookkeeping: due times, enable and disable, ordered delivery.
#include "TimerService.h"

#include <algorithm>

namespace kav {

TimerService::TimerService(Clock& clock) : clock_(&clock) {}

int TimerService::add(int intervalMs, bool enabled, TickFn onTick) {
    Entry e;
    e.interval = std::max(intervalMs, 1);
    e.enabled = enabled;
    e.alive = true;
    e.due = clock_->nowMs() + e.interval;
    e.onTick = std::make_shared<const TickFn>(std::move(onTick));
    timers_.push_back(std::move(e));
    const int id = static_cast<int>(timers_.size() - 1);
    updateRunning(id);
    scheduleChanged();
    return id;
}

void TimerService::setEnabled(int id, bool enabled) {
    Entry& e = timers_.at(static_cast<std::size_t>(id));
    if (!e.alive || e.enabled == enabled) return;
    e.enabled = enabled;
    if (enabled) e.due = clock_->nowMs() + e.interval;
    updateRunning(id);
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
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        if (!timers_[i].control || &timers_[i].control->window() != &window) continue;
        timers_[i] = Entry{}; // neither alive nor enabled, and without its handler
        updateRunning(static_cast<int>(i));
    }
    scheduleChanged();
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

void TimerService::updateRunning(int id) {
    const Entry& e = timers_[static_cast<std::size_t>(id)];
    const auto at = std::lower_bound(running_.begin(), running_.end(), id);
    const bool listed = at != running_.end() && *at == id;
    if (e.alive && e.enabled && !listed) running_.insert(at, id);
    if (!(e.alive && e.enabled) && listed) running_.erase(at);
}

std::optional<std::int64_t> TimerService::nextDue() const {
    std::optional<std::int64_t> best;
    for (const int id : running_) {
        const Entry& e = timers_[static_cast<std::size_t>(id)];
        if (!held(e) && (!best || e.due < *best)) best = e.due;
    }
    return best;
}

int TimerService::pickDue(std::int64_t now, unsigned pass) const {
    int best = -1;
    for (const int id : running_) {
        const Entry& e = timers_[static_cast<std::size_t>(id)];
        if (held(e) || e.due > now || e.pass == pass) continue;
        if (best < 0 || e.due < timers_[static_cast<std::size_t>(best)].due) best = id;
    }
    return best;
}

int TimerService::deliverDue() {
    // A timer delivered in this pass waits for the next pass, so a handler
    // slower than its interval cannot keep the loop here for ever.
    const unsigned pass = ++pass_;
    int count = 0;
    for (;;) {
        const std::int64_t now = clock_->nowMs();
        const int i = pickDue(now, pass);
        if (i < 0) break;
        Entry& e = timers_[static_cast<std::size_t>(i)];
        e.pass = pass;
        // The next count runs from this tick's due moment; a handler that
        // disables its own timer simply leaves it disabled.
        e.due = e.due + e.interval > now ? e.due + e.interval : now + e.interval;
        // Held, not referenced: the vector may grow while the handler runs,
        // and the handler may remove its own timer.
        const std::shared_ptr<const TickFn> fn = e.onTick;
        ++count;
        if (fn && *fn) (*fn)();
    }
    if (count) scheduleChanged();
    return count;
}

void TimerService::scheduleChanged() {
    if (onSchedule_) onSchedule_();
}

} // namespace kav
