// The timer rules, on a virtual clock: when ticks come, what enabling and
// disabling do, and the order of ticks that fall due together.
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kav {
namespace {

struct Rig {
    VirtualClock clock;
    TimerService timers{clock};
    std::vector<std::string> log;

    // A timer whose ticks are logged as "name@time".
    int add(const std::string& name, int interval, bool enabled, std::function<void()> extra = {}) {
        return timers.add(interval, enabled, [this, name, extra] {
            log.push_back(name + "@" + std::to_string(clock.nowMs()));
            if (extra) extra();
        });
    }
};

TEST(TimerService, PeriodicTimerTicksEveryIntervalFromItsStart) {
    Rig r;
    r.add("T", 100, true);
    r.clock.advance(r.timers, 350);
    EXPECT_EQ(r.log, (std::vector<std::string>{"T@100", "T@200", "T@300"}));
}

TEST(TimerService, EnablingARunningTimerDoesNotRestartItsCount) {
    Rig r;
    int id = -1;
    id = r.add("once", 1000, false, [&] { r.timers.setEnabled(id, false); });
    r.timers.setEnabled(id, true);
    r.clock.advance(r.timers, 600);
    r.timers.setEnabled(id, true); // again, while counting
    r.clock.advance(r.timers, 2000);
    EXPECT_EQ(r.log, (std::vector<std::string>{"once@1000"}));
}

TEST(TimerService, ReEnablingAfterADisableStartsANewCount) {
    Rig r;
    const int id = r.add("T", 1000, true);
    r.clock.advance(r.timers, 600);
    r.timers.setEnabled(id, false);
    r.timers.setEnabled(id, true);
    r.clock.advance(r.timers, 1000);
    EXPECT_EQ(r.log, (std::vector<std::string>{"T@1600"}));
}

TEST(TimerService, SelfDisablingTimerRunsOnceEvenWhenItsHandlerIsSlow) {
    Rig r;
    int id = -1;
    id = r.add("slow", 100, true, [&] {
        r.clock.spend(450); // the handler takes longer than four intervals
        r.timers.setEnabled(id, false);
    });
    r.clock.advance(r.timers, 5000);
    EXPECT_EQ(r.log, (std::vector<std::string>{"slow@100"}));
}

TEST(TimerService, TicksDoNotPileUpBehindASlowHandler) {
    Rig r;
    r.add("fast", 10, true, [&] {
        if (r.log.size() == 1) r.clock.spend(95); // nine intervals pass inside one tick
    });
    r.clock.advance(r.timers, 130);
    // One late tick when the handler returns, then the count runs from there.
    EXPECT_EQ(r.log, (std::vector<std::string>{"fast@10", "fast@105", "fast@115", "fast@125"}));
}

TEST(TimerService, ALateTickKeepsTheBeat) {
    Rig r;
    r.add("T", 100, true);
    r.clock.set(130); // the event loop woke 30 ms late
    r.timers.deliverDue();
    EXPECT_EQ(r.timers.nextDue(), 200);
}

TEST(TimerService, DisablingDropsATickThatHadFallenDue) {
    Rig r;
    int b = -1;
    r.add("A", 100, true, [&] { r.timers.setEnabled(b, false); });
    b = r.add("B", 100, true);
    r.clock.advance(r.timers, 100);
    r.clock.advance(r.timers, 100); // and B stays disabled
    EXPECT_EQ(r.log, (std::vector<std::string>{"A@100", "A@200"}));
}

TEST(TimerService, TicksDueTogetherComeInRegistrationOrder) {
    Rig r;
    r.add("first", 200, true);
    r.add("second", 100, true);
    r.add("third", 200, true);
    r.clock.advance(r.timers, 200);
    EXPECT_EQ(r.log, (std::vector<std::string>{"second@100", "first@200", "second@200", "third@200"}));
}

TEST(TimerService, ChainEnabledTwiceWritesOnceAndSavesOnce) {
    Rig r;
    int message = -1, save = -1;
    message = r.add("message", 150, false, [&] {
        r.timers.setEnabled(message, false);
        r.timers.setEnabled(save, true);
    });
    save = r.add("save", 150, false, [&] { r.timers.setEnabled(save, false); });
    r.timers.setEnabled(message, true);
    r.clock.advance(r.timers, 50);
    r.timers.setEnabled(message, true);
    r.clock.advance(r.timers, 1000);
    EXPECT_EQ(r.log, (std::vector<std::string>{"message@150", "save@300"}));
}

TEST(TimerService, NextDueFollowsTheEarliestEnabledTimer) {
    Rig r;
    const int slow = r.add("slow", 500, true);
    const int quick = r.add("quick", 120, false);
    ASSERT_TRUE(r.timers.nextDue().has_value());
    EXPECT_EQ(*r.timers.nextDue(), 500);
    r.timers.setEnabled(quick, true);
    EXPECT_EQ(*r.timers.nextDue(), 120);
    r.timers.setEnabled(quick, false);
    r.timers.setEnabled(slow, false);
    EXPECT_FALSE(r.timers.nextDue().has_value());
}

TEST(TimerService, ScheduleListenerHearsOfEveryChangeOfTheEarliestTick) {
    Rig r;
    int told = 0;
    r.timers.setScheduleListener([&] { ++told; });
    const int id = r.add("T", 100, false);
    const int before = told;
    r.timers.setEnabled(id, true);
    EXPECT_GT(told, before);
    const int afterEnable = told;
    r.timers.setEnabled(id, true); // no change, nothing to re-arm
    EXPECT_EQ(told, afterEnable);
}

} // namespace
} // namespace kav
