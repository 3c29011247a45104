// The panel's start sequence, blinking lamp and the Pausa, Återstart and
// Snabbstart buttons, driven on the virtual clock.
#include "panel_fixture.h"

namespace kav::test {
namespace {

using RunControl = PanelTest;
using Lines = std::vector<std::string>;

const std::string kPlcLine = "PLC  - burkar = kommunikation upprättad.";
const std::string kStartLine = "Startvillkor angivits från = PLC  - burkar";

// The six controls that make up the starting, running and paused looks.
void expectRunningLook(frmMain& w) {
    EXPECT_FALSE(w.Timer21.Enabled);
    EXPECT_FALSE(w.Text14.Visible);
    EXPECT_TRUE(w.Text15.Visible);
    EXPECT_FALSE(w.Line22.Visible);
    EXPECT_TRUE(w.Line21.Visible);
    EXPECT_EQ(w.Shape12.BackColor.get(), palette(10));
}

void expectStoppedLook(frmMain& w, int statusColour) {
    EXPECT_TRUE(w.Timer21.Enabled);
    EXPECT_FALSE(w.Text15.Visible);
    EXPECT_TRUE(w.Line22.Visible);
    EXPECT_FALSE(w.Line21.Visible);
    EXPECT_EQ(w.Shape12.BackColor.get(), palette(statusColour));
}

TEST_F(RunControl, StartSequenceLinksPlcAtFourSecondsAndGivesStartConditionsAtTen) {
    expectStoppedLook(*w, 14);
    EXPECT_FALSE(w->cmdColor.Enabled);
    EXPECT_FALSE(w->cmdCopy.Enabled);
    EXPECT_FALSE(w->Command14.Enabled);

    advanceTo(3999);
    EXPECT_TRUE(lit(w->Text16, 14));
    std::size_t m = mark();
    advanceTo(4000);
    EXPECT_TRUE(lit(w->Text16, 10));
    EXPECT_FALSE(w->Timer23.Enabled);
    EXPECT_TRUE(w->Timer24.Enabled);
    EXPECT_EQ(linesSince(m), Lines{kPlcLine});
    EXPECT_EQ(w->Text8.Text.get(), kPlcLine);

    // Whatever the code box holds when the start conditions come goes to the
    // clipboard, after a clear.
    w->txtColor.Text = "FF8000";
    advanceTo(9999);
    EXPECT_FALSE(w->cmdColor.Enabled);
    EXPECT_TRUE(lit(w->Text4, 14));
    const std::size_t clipBefore = clipboardCalls().size();
    m = mark();
    advanceTo(10000);
    expectRunningLook(*w);
    EXPECT_TRUE(w->cmdColor.Enabled);
    EXPECT_TRUE(w->cmdCopy.Enabled);
    EXPECT_TRUE(w->Command14.Enabled);
    EXPECT_TRUE(w->Command14.Visible);
    EXPECT_FALSE(w->Command15.Visible);
    EXPECT_TRUE(lit(w->Text4, 10));
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_FALSE(w->Timer24.Enabled);
    EXPECT_EQ(linesSince(m), Lines{kStartLine});
    const auto clip = clipboardCalls();
    ASSERT_EQ(clip.size(), clipBefore + 2);
    EXPECT_EQ(clip[clipBefore], "clipboardClear()");
    EXPECT_EQ(clip[clipBefore + 1], "clipboardSetText(FF8000)");
    EXPECT_EQ(fake.clipboard, std::optional<std::string>("FF8000"));

    // Both steps are one-shot: long afterwards nothing more happens, and the
    // lamp no longer blinks.
    m = mark();
    advance(60000);
    EXPECT_TRUE(linesSince(m).empty());
    EXPECT_EQ(clipboardCalls().size(), clipBefore + 2);
    expectRunningLook(*w);
}

TEST_F(RunControl, LampBlinksFromHiddenAtLoadAndIsLitAtOnceOnPause) {
    const std::vector<std::pair<std::int64_t, bool>> startPhase = {
        {0, false}, {899, false}, {900, true}, {1799, true}, {1800, false}, {2700, true}, {9900, true}};
    for (const auto& [t, shown] : startPhase) {
        advanceTo(t);
        EXPECT_EQ(w->Text14.Visible.get(), shown) << "at " << t << " ms";
    }

    advanceTo(12000);
    ASSERT_TRUE(click("Command14"));
    EXPECT_TRUE(w->Text14.Visible);
    const std::vector<std::pair<std::int64_t, bool>> pausePhase = {
        {899, true}, {900, false}, {1799, false}, {1800, true}, {2700, false}};
    for (const auto& [t, shown] : pausePhase) {
        advanceTo(12000 + t);
        EXPECT_EQ(w->Text14.Visible.get(), shown) << t << " ms after the pause";
    }
}

TEST_F(RunControl, QuickStartRunsAtOnceAndTheStartSequenceStillRuns) {
    advanceTo(1000);
    const std::size_t m = mark();
    const std::size_t clipBefore = clipboardCalls().size();
    ASSERT_TRUE(click("Command18"));
    expectRunningLook(*w);
    EXPECT_TRUE(w->cmdColor.Enabled);
    EXPECT_TRUE(w->cmdCopy.Enabled);
    EXPECT_TRUE(w->Command14.Enabled);
    EXPECT_FALSE(w->Command18.Enabled);
    EXPECT_TRUE(lit(w->Text4, 10));
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_TRUE(lit(w->Text16, 14));
    EXPECT_TRUE(w->Timer23.Enabled);
    EXPECT_EQ(clipboardCalls().size(), clipBefore);
    EXPECT_EQ(linesSince(m), Lines{"Systemet snabb-startad."});

    // Usable once per run.
    EXPECT_FALSE(click("Command18"));

    advanceTo(10000);
    EXPECT_EQ(linesSince(m), (Lines{"Systemet snabb-startad.", kPlcLine, kStartLine}));
    EXPECT_FALSE(w->Command18.Enabled);
}

// What the user copied before the start is kept by the start sequence while
// the code box is empty, with or without a quick start; a code in the box
// replaces it.
TEST_F(RunControl, StartSequenceCopiesTheCodeBoxOnlyWhenItHoldsACode) {
    const struct {
        bool quickStart;
        std::string code;
        std::optional<std::string> clipboardAfter;
    } cases[] = {
        {false, "", "copied by the user"},
        {true, "", "copied by the user"},
        {true, "FF8000", "FF8000"},
    };
    for (const auto& c : cases) {
        nextRun();
        frmMain& main = start();
        fake.clipboard = "copied by the user";
        if (c.quickStart) ASSERT_TRUE(click("Command18"));
        main.txtColor.Text = c.code;
        advance(10000);
        ASSERT_FALSE(main.Timer24.Enabled) << "the 10 s step has run";
        EXPECT_EQ(fake.clipboard, c.clipboardAfter) << "quick start " << c.quickStart << ", code '" << c.code << "'";
    }
}

TEST_F(RunControl, QuickStartAfterTheAutomaticStartReappliesTheLookAndDisablesItself) {
    advanceTo(10000);
    EXPECT_TRUE(w->Command18.Enabled);
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command18"));
    expectRunningLook(*w);
    EXPECT_FALSE(w->Command18.Enabled);
    EXPECT_EQ(linesSince(m), Lines{"Systemet snabb-startad."});
}

TEST_F(RunControl, QuickStartThenPauseBeforeTenSecondsLeavesRestartOffered) {
    advanceTo(1000);
    ASSERT_TRUE(click("Command18"));
    advanceTo(2000);
    std::size_t m = mark();
    ASSERT_TRUE(click("Command14"));
    expectStoppedLook(*w, 12);
    EXPECT_TRUE(w->Text14.Visible);
    EXPECT_TRUE(lit(w->Text9, 12));
    EXPECT_FALSE(w->cmdColor.Enabled);
    EXPECT_FALSE(w->cmdCopy.Enabled);
    EXPECT_FALSE(w->Command14.Visible);
    EXPECT_TRUE(w->Command15.Visible);
    EXPECT_EQ(linesSince(m), Lines{"Systemet pausad"});
    // The pause leaves the start-conditions and PLC lamps alone.
    EXPECT_TRUE(lit(w->Text4, 10));
    EXPECT_TRUE(lit(w->Text16, 14));

    // The PLC link still comes while paused, without changing the look.
    advanceTo(4000);
    EXPECT_TRUE(lit(w->Text16, 10));
    expectStoppedLook(*w, 12);

    // The start conditions bring back the running look and the colour tool,
    // but the buttons stay swapped.
    advanceTo(10000);
    expectRunningLook(*w);
    EXPECT_TRUE(w->cmdColor.Enabled);
    EXPECT_TRUE(w->cmdCopy.Enabled);
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_TRUE(w->Command15.Visible);
    EXPECT_FALSE(w->Command14.Visible);
    EXPECT_FALSE(click("Command14"));

    m = mark();
    ASSERT_TRUE(click("Command15"));
    EXPECT_EQ(linesSince(m), Lines{"Systemet återstartad"});
    EXPECT_FALSE(w->Command15.Visible);
    EXPECT_TRUE(w->Command14.Visible);
    EXPECT_TRUE(lit(w->Text9, 10));
}

TEST_F(RunControl, PauseAndRestartGateTheColourToolAndColourTheAlarm) {
    advanceTo(10000);
    ASSERT_TRUE(lit(w->Text9, 14));

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(click("Command14"));
        expectStoppedLook(*w, 12);
        EXPECT_TRUE(lit(w->Text9, 12));
        EXPECT_FALSE(w->cmdColor.Enabled);
        EXPECT_FALSE(w->cmdCopy.Enabled);
        EXPECT_FALSE(click("cmdColor"));
        advance(1000);

        ASSERT_TRUE(click("Command15"));
        expectRunningLook(*w);
        // Green after a restart, unlike the yellow of a start.
        EXPECT_TRUE(lit(w->Text9, 10));
        EXPECT_TRUE(w->cmdColor.Enabled);
        EXPECT_TRUE(w->cmdCopy.Enabled);
        EXPECT_TRUE(w->Command14.Visible);
        EXPECT_TRUE(w->Command14.Enabled);
        EXPECT_FALSE(w->Command15.Visible);
        EXPECT_FALSE(click("Command15"));
        // The running look stays: the lamp no longer blinks.
        advance(2000);
        EXPECT_FALSE(w->Text14.Visible);
    }
    EXPECT_TRUE(lit(w->Text4, 10));
    EXPECT_TRUE(lit(w->Text16, 10));
}

TEST_F(RunControl, QuickStartInThePausedLookKeepsRestartOffered) {
    advanceTo(10000);
    ASSERT_TRUE(click("Command14"));
    expectStoppedLook(*w, 12);
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command18"));
    expectRunningLook(*w);
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_TRUE(w->cmdColor.Enabled);
    EXPECT_TRUE(w->cmdCopy.Enabled);
    EXPECT_FALSE(w->Command14.Visible);
    EXPECT_TRUE(w->Command15.Visible);
    EXPECT_EQ(linesSince(m), Lines{"Systemet snabb-startad."});
}

} // namespace
} // namespace kav::test
