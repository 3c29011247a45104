// The console ramp: NER lowers and locks the console through Timer15 and
// Timer16, UPP releases and raises it through Timer17 and Timer18.
#include "panel_fixture.h"

#include <array>
#include <ostream>

namespace kav::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kCycleLines = {"Cylinder ner", "Konsollen är låst i nede - läge",
                           "Konsollen är upp låst - Konsollen går upp.."};

// What a user can see of the ramp: each button's visibility and enabled
// state, and which of the four ramp timers is armed (0 for none).
struct RampState {
    bool nerVisible, nerEnabled, uppVisible, uppEnabled;
    int armed;
    bool operator==(const RampState&) const = default;
};

std::ostream& operator<<(std::ostream& os, const RampState& s) {
    return os << "NER " << (s.nerVisible ? "shown" : "hidden") << '/' << (s.nerEnabled ? "enabled" : "disabled")
              << ", UPP " << (s.uppVisible ? "shown" : "hidden") << '/' << (s.uppEnabled ? "enabled" : "disabled")
              << ", armed Timer" << s.armed;
}

class ConsoleRamp : public PanelTest {
protected:
    // Start after the start sequence, so its journal lines are behind us.
    static constexpr std::int64_t kT0 = 11000;

    void SetUp() override {
        PanelTest::SetUp();
        w->Height = kOddHeight;
        advanceTo(kT0);
    }

    std::array<Control*, 4> rampTimers() { return {&w->Timer15, &w->Timer16, &w->Timer17, &w->Timer18}; }

    // The ramp's steps, as the design times them: lowering (Timer15), locking
    // (Timer16), unlocking (Timer17) and raising (Timer18).
    std::int64_t lower() const { return w->Timer15.def().interval; }
    std::int64_t lock() const { return w->Timer16.def().interval; }
    std::int64_t unlock() const { return w->Timer17.def().interval; }
    std::int64_t raise() const { return w->Timer18.def().interval; }
    std::int64_t down() const { return lower() + lock(); }
    std::int64_t up() const { return unlock() + raise(); }

    int armedCount() {
        int n = 0;
        for (Control* t : rampTimers())
            n += t->Enabled ? 1 : 0;
        return n;
    }

    RampState state() {
        int armed = 0;
        for (int i = 0; i < 4; ++i)
            if (rampTimers()[static_cast<std::size_t>(i)]->Enabled) armed = 15 + i;
        return {w->Command12.Visible, w->Command12.Enabled, w->Command13.Visible, w->Command13.Enabled, armed};
    }

    bool cylindersFront() {
        return w->Line12.Visible && w->Line11.Visible && !w->Line5.Visible && !w->Line8.Visible && lit(w->Text3, 10) &&
               lit(w->Text6, 10) && lit(w->Text2, 14) && lit(w->Text5, 14);
    }
    bool cylindersHome() {
        return !w->Line12.Visible && !w->Line11.Visible && w->Line5.Visible && w->Line8.Visible && lit(w->Text3, 14) &&
               lit(w->Text6, 14) && lit(w->Text2, 10) && lit(w->Text5, 10);
    }
    // The lock drawing, including its two sensor lamps.
    bool lockEngaged() {
        return !w->Line16.Visible && !w->Line15.Visible && w->Line14.Visible && w->Line13.Visible &&
               !w->Shape9.Visible && w->Shape10.Visible && lit(w->Text10, 14) && lit(w->Text11, 10);
    }
    bool lockReleased() {
        return w->Line16.Visible && w->Line15.Visible && !w->Line14.Visible && !w->Line13.Visible &&
               w->Shape9.Visible && !w->Shape10.Visible && lit(w->Text10, 10) && lit(w->Text11, 14);
    }
};

TEST_F(ConsoleRamp, FullCycleWritesThreeLinesAndLeavesWindowTwentyTwipsShorter) {
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command12"));
    advance(down());
    EXPECT_EQ(w->Height.get(), kOddHeight + 3120.0);
    ASSERT_TRUE(click("Command13"));
    advance(up() - 1);
    EXPECT_EQ(w->Height.get(), kOddHeight + 3120.0);
    EXPECT_EQ(linesSince(m), kCycleLines);
    advance(1);
    // The console's arrival up writes nothing.
    EXPECT_EQ(linesSince(m), kCycleLines);
    EXPECT_EQ(w->Height.get(), kOddHeight - 20.0);
    advance(10000);
    EXPECT_EQ(linesSince(m), kCycleLines);
}

TEST_F(ConsoleRamp, OnlyOneRampButtonIsUsableAtEachStage) {
    const RampState up{true, true, false, true, 0};
    EXPECT_EQ(state(), up) << "up at start";
    EXPECT_TRUE(cylindersHome());
    EXPECT_TRUE(lockReleased());

    ASSERT_TRUE(click("Command12"));
    EXPECT_EQ(state(), (RampState{true, false, false, true, 15})) << "lowering";
    EXPECT_TRUE(cylindersHome());
    EXPECT_FALSE(click("Command12"));
    EXPECT_FALSE(click("Command13"));

    advance(lower() - 1);
    EXPECT_TRUE(cylindersHome());
    advance(1);
    EXPECT_EQ(state(), (RampState{true, false, false, true, 16})) << "lowered";
    EXPECT_TRUE(cylindersFront());
    EXPECT_TRUE(lockReleased());

    advance(lock() - 1);
    EXPECT_TRUE(lockReleased());
    advance(1);
    EXPECT_EQ(state(), (RampState{false, false, true, true, 0})) << "locked down";
    EXPECT_TRUE(lockEngaged());

    ASSERT_TRUE(click("Command13"));
    EXPECT_EQ(state(), (RampState{false, true, true, false, 17})) << "unlocking";
    EXPECT_FALSE(click("Command12"));
    EXPECT_FALSE(click("Command13"));

    advance(unlock());
    EXPECT_EQ(state(), (RampState{false, true, true, false, 18})) << "raising";
    // The lock is released while both cylinders are still down.
    EXPECT_TRUE(lockReleased());
    EXPECT_TRUE(cylindersFront());

    advance(raise());
    EXPECT_EQ(state(), (RampState{true, true, false, false, 0})) << "up after a cycle";
    EXPECT_TRUE(cylindersHome());
    EXPECT_TRUE(lockReleased());

    // A second cycle runs the same way.
    ASSERT_TRUE(click("Command12"));
    advance(down());
    EXPECT_EQ(state(), (RampState{false, false, true, true, 0})) << "locked down again";
}

TEST_F(ConsoleRamp, ExactlyOneLockLampIsGreenThroughoutTheCycle) {
    // Click times relative to kT0, then sample every 10 ms until well after
    // the console is up. The UPP click falls between samples on purpose.
    const std::int64_t nerAt = 0, uppAt = down() + 595, end = uppAt + up() + 665;
    int released = 0, engaged = 0;
    for (std::int64_t t = 0; t <= end; t += 5) {
        if (t == nerAt) {
            ASSERT_TRUE(click("Command12"));
        }
        if (t == uppAt) {
            ASSERT_TRUE(click("Command13"));
        }
        if (t % 10 == 0) {
            const bool g10 = lit(w->Text10, 10), g11 = lit(w->Text11, 10);
            ASSERT_NE(g10, g11) << "at " << t << " ms";
            ASSERT_TRUE(lit(g10 ? w->Text11 : w->Text10, 14)) << "at " << t << " ms";
            ASSERT_TRUE(g10 ? lockReleased() : lockEngaged()) << "at " << t << " ms";
            ASSERT_LE(armedCount(), 1) << "at " << t << " ms";
            ASSERT_FALSE(usable(w->Command12) && usable(w->Command13)) << "at " << t << " ms";
            (g10 ? released : engaged)++;
        }
        advance(5);
    }
    // Engaged from the end of the locking step until the unlocking step ends:
    // the samples at 10 ms steps in that span.
    const std::int64_t engagedSamples = (uppAt + unlock() - down() + 9) / 10;
    EXPECT_EQ(engaged, engagedSamples);
    EXPECT_EQ(released, end / 10 + 1 - engagedSamples);
}

TEST_F(ConsoleRamp, NerWhileACylinderIsInManualLeavesItsBarrelAndAutoAlone) {
    ASSERT_TRUE(click("Command11"));
    EXPECT_EQ(w->Height.get(), kOddHeight + 3120.0);
    ASSERT_TRUE(click("Command12"));
    advance(lower());
    EXPECT_EQ(w->Height.get(), kOddHeight + 6240.0);
    advance(lock());

    // Locked down: Man still warns, whatever the console does.
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command5"));
    EXPECT_EQ(linesSince(m), Lines{"Varning: konsollen är inte låst.  "});
    EXPECT_EQ(w->Height.get(), kOddHeight + 9360.0);

    ASSERT_TRUE(click("Command13"));
    advance(up());
    EXPECT_TRUE(cylindersHome());
    EXPECT_EQ(w->Height.get(), kOddHeight + 6220.0);
    EXPECT_TRUE(lit(w->Shape2, 12));
    EXPECT_TRUE(lit(w->Shape1, 12));
    EXPECT_TRUE(w->Command10.Enabled);
    EXPECT_TRUE(w->Command4.Enabled);
    EXPECT_TRUE(lit(w->Text9, 12));
}

TEST_F(ConsoleRamp, LoweringStepReachesTheWindowInItsOrder) {
    ASSERT_TRUE(click("Command12"));
    advance(lower() - 1);
    ChangeRecorder rec;
    w->addObserver(&rec);
    advance(1);
    w->removeObserver(&rec);
    const Lines expected = {
        "Line5.Visible",   "Line6.Visible",   "Line7.Visible",  "Line12.Visible", "Shape3.Visible",  "Shape6.Visible",
        "Text2.BackColor", "Text3.BackColor", "Text8.Text",     "List1.Lines",    "Line8.Visible",   "Line9.Visible",
        "Line10.Visible",  "Line11.Visible",  "Shape4.Visible", "Shape5.Visible", "Text5.BackColor", "Text6.BackColor",
        "Timer15.Enabled", "Timer16.Enabled", "Form.Height"};
    EXPECT_EQ(rec.changes, expected);
}

} // namespace
} // namespace kav::test
