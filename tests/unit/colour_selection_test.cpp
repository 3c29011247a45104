// The click of "Välj färg..": the running look before the dialog, the code in
// txtColor after it, and the piston, lamps and timers that follow whatever
// the dialog did.
#include "journal_messages.h"

#include "model/Colour.h"

namespace kav::test {
namespace {

class ColourSelection : public ProgramTest {
protected:
    // Opens the colour gate as the panel's start would, then clicks.
    bool clickChooseColour(frmMain& w) {
        w.cmdColor.Enabled = true;
        return w.raise("cmdColor", Event::Click);
    }
};

TEST_F(ColourSelection, ChosenColourShowsItsCodeInTheCodeBox) {
    frmMain& w = startAndSettle();
    fake.colourAnswer = 33023; // red 255, green 128, blue 0
    ASSERT_TRUE(clickChooseColour(w));
    EXPECT_EQ(w.txtColor.Text.get(), "FF8000");
    EXPECT_EQ(fake.callsStartingWith("chooseColour("), std::vector<std::string>{"chooseColour(frmMain)"});
}

TEST_F(ColourSelection, RunningLookIsSetBeforeTheDialogAndPistonMovesOnlyAfter) {
    frmMain& w = startAndSettle();
    fake.colourAnswer = 255;
    bool dialogOpened = false;
    fake.duringColourDialog = [&] {
        dialogOpened = true;
        EXPECT_FALSE(w.Timer21.Enabled.get());
        EXPECT_FALSE(w.Text14.Visible.get());
        EXPECT_TRUE(w.Text15.Visible.get());
        EXPECT_FALSE(w.Line22.Visible.get());
        EXPECT_TRUE(w.Line21.Visible.get());
        EXPECT_EQ(w.Shape12.BackColor.get(), palette(10));
        EXPECT_EQ(w.Text9.BackColor.get(), palette(14));
        EXPECT_TRUE(w.Command14.Enabled.get());
        EXPECT_EQ(w.Text13.BackColor.get(), palette(10));
        EXPECT_EQ(w.Text4.BackColor.get(), palette(10));
        // Nothing of the second half yet: no code, no chain, piston at home.
        EXPECT_EQ(w.txtColor.Text.get(), "");
        EXPECT_FALSE(w.Timer5.Enabled.get());
        EXPECT_FALSE(w.Timer22.Enabled.get());
        EXPECT_FALSE(w.Line29.Visible.get());
        EXPECT_FALSE(w.Shape15.Visible.get());
        EXPECT_NE(w.Text17.BackColor.get(), palette(10));
    };
    ASSERT_TRUE(clickChooseColour(w));
    ASSERT_TRUE(dialogOpened);
    EXPECT_EQ(w.txtColor.Text.get(), "FF0000");
}

TEST_F(ColourSelection, PistonMovesOutAndTimersStartAfterAChoice) {
    frmMain& w = startAndSettle();
    fake.colourAnswer = 65280;
    ASSERT_TRUE(clickChooseColour(w));
    EXPECT_TRUE(w.Line29.Visible.get());
    EXPECT_FALSE(w.Line26.Visible.get());
    EXPECT_TRUE(w.Line27.Visible.get());
    EXPECT_FALSE(w.Line28.Visible.get());
    EXPECT_TRUE(w.Shape15.Visible.get());
    EXPECT_FALSE(w.Shape14.Visible.get());
    EXPECT_EQ(w.Text17.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text19.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text18.BackColor.get(), palette(14));
    EXPECT_TRUE(w.Timer5.Enabled.get());
    EXPECT_TRUE(w.Timer22.Enabled.get());
}

TEST_F(ColourSelection, CancelledDialogKeepsTheCodeAndStillRunsTheRest) {
    frmMain& w = startAndSettle();
    w.txtColor.Text = "0C0B0A";
    fake.colourAnswer.reset();
    ASSERT_TRUE(clickChooseColour(w));

    EXPECT_EQ(w.txtColor.Text.get(), "0C0B0A");
    EXPECT_TRUE(w.Timer5.Enabled.get());
    EXPECT_TRUE(w.Timer22.Enabled.get());
    EXPECT_TRUE(w.Line29.Visible.get());
    EXPECT_FALSE(w.Line26.Visible.get());
    EXPECT_TRUE(w.Shape15.Visible.get());
    EXPECT_FALSE(w.Shape14.Visible.get());
    EXPECT_EQ(w.Text17.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text19.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text18.BackColor.get(), palette(14));

    // The chain logs the code the box still shows.
    advance(400);
    ASSERT_GE(w.List1.ListCount(), 2u);
    EXPECT_EQ(w.List1.store().text(w.List1.ListCount() - 2), kCongratulation);
    EXPECT_EQ(lastLine(w.List1), "0C0B0A");
}

TEST_F(ColourSelection, SameColourTwiceIsLoggedTwice) {
    frmMain& w = startAndSettle();
    fake.colourAnswer = 255;
    const std::size_t before = w.List1.ListCount();
    ASSERT_TRUE(clickChooseColour(w));
    advance(600);
    ASSERT_TRUE(clickChooseColour(w));
    advance(600);
    ASSERT_EQ(w.List1.ListCount(), before + 4);
    EXPECT_EQ(w.List1.store().text(before), kCongratulation);
    EXPECT_EQ(w.List1.store().text(before + 1), "FF0000");
    EXPECT_EQ(w.List1.store().text(before + 2), kCongratulation);
    EXPECT_EQ(w.List1.store().text(before + 3), "FF0000");
}

} // namespace
} // namespace kav::test
