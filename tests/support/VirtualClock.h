#pragma once
// Virtual time for tests: a clock that moves only when a test moves it, and
// that delivers the timer service's ticks at the moments they fall due.

#include "model/TimerService.h"

#include <algorithm>
#include <cstdint>

namespace kav {

class VirtualClock final : public Clock {
public:
    std::int64_t nowMs() const override { return now_; }
    void set(std::int64_t ms) { now_ = ms; }
    // Moves time on without delivering anything: a slow handler in a test.
    void spend(std::int64_t ms) { now_ += ms; }

    // Moves time on by `ms`, delivering every tick of `timers` at the moment
    // it falls due.
    void advance(TimerService& timers, std::int64_t ms) {
        const std::int64_t target = now_ + ms;
        for (auto due = timers.nextDue(); due && *due <= target; due = timers.nextDue()) {
            now_ = std::max(now_, *due);
            timers.deliverDue();
        }
        now_ = std::max(now_, target);
    }

private:
    std::int64_t now_ = 0;
};

} // namespace kav
