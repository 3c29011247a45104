// The window model: properties that notify only on change, the event
// dispatcher's rules for buttons, timer controls driven by their Enabled
// property, and height changes that the window system would refuse.
#include "model/Window.h"
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kav {
namespace {

const ControlDef kControls[] = {
    {.name = "Command1", .kind = Kind::CommandButton, .caption = "&Go"},
    {.name = "Command2", .kind = Kind::CommandButton, .caption = "Hidden", .visible = false},
    {.name = "Command3", .kind = Kind::CommandButton, .caption = "Off", .enabled = false},
    {.name = "Text1", .kind = Kind::TextBox, .caption = "start"},
    {.name = "List1", .kind = Kind::ListBox},
    {.name = "Timer1", .kind = Kind::Timer, .enabled = false, .interval = 150},
    {.name = "mnu", .kind = Kind::MenuItem, .caption = "&Menu"},
};
const FormDef kForm{.name = "frmTest", .caption = "Test", .clientHeight = 3300, .controls = kControls};

struct Recorder final : WindowObserver {
    virtual ~Recorder() = default;
    std::vector<std::string> seen;
    void controlChanged(Control& c, PropId id) override {
        seen.push_back(std::string(c.name()) + ":" + std::to_string(static_cast<int>(id)));
    }
    void windowChanged(Window&, PropId id) override {
        seen.push_back("window:" + std::to_string(static_cast<int>(id)));
    }
};

TEST(WindowModel, ControlsStartFromTheirDesignValues) {
    Window w(kForm);
    EXPECT_EQ(w.ctl("Command1").Caption.get(), "&Go");
    EXPECT_EQ(w.ctl("Text1").Text.get(), "start");
    EXPECT_EQ(w.ctl("Text1").Caption.get(), "");
    EXPECT_FALSE(w.ctl("Command2").Visible);
    EXPECT_FALSE(w.ctl("Command3").Enabled);
    EXPECT_EQ(w.Caption.get(), "Test");
    EXPECT_THROW(w.ctl("Nope"), std::out_of_range);
}

TEST(WindowModel, PropertiesNotifyOnlyWhenTheValueChanges) {
    Window w(kForm);
    Recorder r;
    w.addObserver(&r);
    Control& t = w.ctl("Text1");
    t.Text = "start"; // same value: nothing to tell
    t.Visible = true;
    EXPECT_TRUE(r.seen.empty());
    t.Text = "next";
    t.Text = "next";
    t.BackColor = palette(10);
    w.Height = 5000.0;
    w.Height = 5000.0;
    EXPECT_EQ(r.seen, (std::vector<std::string>{"Text1:1", "Text1:4", "window:6"}));
    w.removeObserver(&r);
}

TEST(WindowModel, ClickOnAHiddenOrDisabledButtonDoesNothing) {
    Window w(kForm);
    std::vector<std::string> ran;
    for (auto n : {"Command1", "Command2", "Command3"})
        w.bind(n, Event::Click, [&ran, n](const EventArgs&) { ran.push_back(n); });
    EXPECT_TRUE(w.raise("Command1", Event::Click));
    EXPECT_FALSE(w.raise("Command2", Event::Click));
    EXPECT_FALSE(w.raise("Command3", Event::Click));
    w.ctl("Command3").Enabled = true;
    EXPECT_TRUE(w.raise("Command3", Event::Click));
    EXPECT_EQ(ran, (std::vector<std::string>{"Command1", "Command3"}));
    // An event nobody handles is simply not delivered.
    EXPECT_FALSE(w.raise("Text1", Event::Click));
}

TEST(WindowModel, MenuClickCarriesItsArrayIndex) {
    Window w(kForm);
    int got = -2;
    w.bind("mnu", Event::Click, [&](const EventArgs& a) { got = a.index; });
    EventArgs a;
    a.index = 1;
    w.raise("mnu", Event::Click, a);
    EXPECT_EQ(got, 1);
}

TEST(WindowModel, TimerControlIsDrivenByItsEnabledProperty) {
    VirtualClock clock;
    TimerService timers(clock);
    Window w(kForm);
    int ticks = 0;
    w.bind("Timer1", Event::Timer, [&](const EventArgs&) {
        ++ticks;
        w.ctl("Timer1").Enabled = false;
    });
    timers.attach(w);
    clock.advance(timers, 1000);
    EXPECT_EQ(ticks, 0); // disabled at load
    w.ctl("Timer1").Enabled = true;
    clock.advance(timers, 149);
    EXPECT_EQ(ticks, 0);
    clock.advance(timers, 1);
    EXPECT_EQ(ticks, 1);
    clock.advance(timers, 1000);
    EXPECT_EQ(ticks, 1);
    timers.detach(w);
    w.ctl("Timer1").Enabled = true;
    clock.advance(timers, 1000);
    EXPECT_EQ(ticks, 1); // a detached window's timers are gone
}

TEST(WindowModel, HeightOutsideTheWindowSystemsLimitsIsSkipped) {
    Window w(kForm);
    w.minHeight = 1500.0;
    w.maxHeight = 9000.0;
    w.Height = 4000.0;
    EXPECT_TRUE(w.setHeightWithinLimits(w.Height + 3120.0));
    EXPECT_FALSE(w.setHeightWithinLimits(w.Height + 3120.0));
    EXPECT_DOUBLE_EQ(w.Height, 7120.0);
    EXPECT_TRUE(w.setHeightWithinLimits(w.Height - 3140.0));
    EXPECT_DOUBLE_EQ(w.Height, 3980.0); // exactly 20 twips shorter than before the grow
    EXPECT_FALSE(w.setHeightWithinLimits(w.Height - 3140.0));
    EXPECT_DOUBLE_EQ(w.Height, 3980.0);
}

TEST(WindowModel, HeightStepIsSkippedWhileMinimisedOrMaximised) {
    for (const int state : {1, 2}) {
        Window w(kForm);
        w.Height = 4000.0;
        w.WindowState = state;
        EXPECT_FALSE(w.setHeightWithinLimits(w.Height + 3120.0)) << state;
        EXPECT_DOUBLE_EQ(w.Height, 4000.0) << state;
    }
}

TEST(WindowModel, ListBoxKeepsLinesInInsertionOrderPastAnyLimit) {
    Window w(kForm);
    Recorder r;
    w.addObserver(&r);
    Control& list = w.ctl("List1");
    for (int i = 0; i < 40000; ++i)
        list.AddItem(std::to_string(i));
    EXPECT_EQ(list.ListCount(), 40000u);
    EXPECT_EQ(list.store().text(0), "0");
    EXPECT_EQ(list.store().text(39999), "39999");
    EXPECT_EQ(r.seen.size(), 40000u);
    w.removeObserver(&r);
}

} // namespace
} // namespace kav
