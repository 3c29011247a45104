// The piston's Auto and Man buttons and its return timer. The colour
// selection's piston-out step is played here by the same property changes,
// so these tests do not depend on the colour dialog.
#include "panel_fixture.h"

namespace kav::test {
namespace {

class Piston : public PanelTest {
protected:
    // The last steps of a colour selection: piston out, colour-code-ready
    // lamp green, return timer started.
    void pistonOut() {
        w->pistonDrawing(/*out=*/true, /*codeLamp=*/true);
        w->Timer22.Enabled = true;
    }

    // All six elements of a position switch together; checking each one
    // catches a drawing that leaves one element behind.
    void expectPosition(bool front) {
        EXPECT_EQ(w->Line29.Visible.get(), front);
        EXPECT_EQ(w->Line26.Visible.get(), !front);
        EXPECT_EQ(w->Line27.Visible.get(), front);
        EXPECT_EQ(w->Line28.Visible.get(), !front);
        EXPECT_EQ(w->Shape15.Visible.get(), front);
        EXPECT_EQ(w->Shape14.Visible.get(), !front);
        EXPECT_TRUE(lit(w->Text19, front ? 10 : 14));
        EXPECT_TRUE(lit(w->Text18, front ? 14 : 10));
    }
};

TEST_F(Piston, ManRunsOutAndAutoBringsHomeWithoutJournalLines) {
    expectPosition(false);
    EXPECT_FALSE(w->Command16.Enabled);
    const std::size_t m = mark();

    // Man works before the panel has started, and again with the piston out.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(click("Command17"));
        expectPosition(true);
        EXPECT_TRUE(w->Command16.Enabled);
    }
    ASSERT_TRUE(click("Command16"));
    expectPosition(false);
    EXPECT_FALSE(w->Command16.Enabled);
    EXPECT_FALSE(click("Command16"));
    EXPECT_TRUE(lit(w->Text17, 14));
    EXPECT_EQ(mark(), m);
}

TEST_F(Piston, ReturnTimerBringsPistonHomeFourSecondsAfterItWentOut) {
    advanceTo(500);
    pistonOut();
    expectPosition(true);
    EXPECT_FALSE(w->Command16.Enabled);
    advanceTo(4499);
    expectPosition(true);
    EXPECT_TRUE(lit(w->Text17, 10));
    advanceTo(4500);
    expectPosition(false);
    EXPECT_TRUE(lit(w->Text17, 14));
    EXPECT_FALSE(w->Timer22.Enabled);
    // The piston returns only through the timer; Auto stays disabled.
    EXPECT_FALSE(w->Command16.Enabled);
}

TEST_F(Piston, ReturnTimerLeavesAutoEnabledAfterMan) {
    ASSERT_TRUE(click("Command17"));
    pistonOut();
    advance(4000);
    expectPosition(false);
    EXPECT_TRUE(lit(w->Text17, 14));
    EXPECT_TRUE(w->Command16.Enabled);
    ASSERT_TRUE(click("Command16"));
    expectPosition(false);
    EXPECT_FALSE(w->Command16.Enabled);
}

TEST_F(Piston, AutoWhileReturnIsPendingKeepsColourCodeLampUntilTheTick) {
    advanceTo(1000);
    ASSERT_TRUE(click("Command17"));
    pistonOut();
    advanceTo(2000);
    ASSERT_TRUE(click("Command16"));
    expectPosition(false);
    EXPECT_FALSE(w->Command16.Enabled);
    EXPECT_TRUE(lit(w->Text17, 10));
    advanceTo(4999);
    EXPECT_TRUE(lit(w->Text17, 10));
    advanceTo(5000);
    EXPECT_TRUE(lit(w->Text17, 14));
    expectPosition(false);
    EXPECT_FALSE(w->Command16.Enabled);
}

TEST_F(Piston, SecondSelectionWithinFourSecondsDoesNotRestartTheReturn) {
    advanceTo(1000);
    pistonOut();
    advanceTo(3000);
    pistonOut();
    advanceTo(4999);
    expectPosition(true);
    advanceTo(5000);
    expectPosition(false);
    EXPECT_TRUE(lit(w->Text17, 14));
    // One tick only: the timer does not come back at 7000 ms.
    EXPECT_FALSE(w->Timer22.Enabled);
    ASSERT_TRUE(click("Command17"));
    advanceTo(8000);
    expectPosition(true);
}

} // namespace
} // namespace kav::test
