// The two air cylinders: their Man and Auto buttons, the left cylinder's
// delayed return, the alarm lamp, the barrels, the journal lines and the
// window's grow and shrink steps.
#include "panel_fixture.h"

namespace kav::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kWarning = "Varning: konsollen är inte låst.  ";
const std::string kLeftBack = "Cylinder vänster bakåt  (Auto)";
const std::string kRightBack = "Cylinder höger bakåt  (Auto)";

// The eight elements of one cylinder's drawings, in the order they are set.
struct CylinderParts {
    Control* rod;
    Control* headTop;
    Control* headBottom;
    Control* frontRod;
    Control* endHome;
    Control* endFront;
    Control* homeLamp;
    Control* frontLamp;
};

class Cylinders : public PanelTest {
protected:
    CylinderParts left() {
        return {&w->Line5, &w->Line6, &w->Line7, &w->Line12, &w->Shape3, &w->Shape6, &w->Text2, &w->Text3};
    }
    CylinderParts right() {
        return {&w->Line8, &w->Line9, &w->Line10, &w->Line11, &w->Shape4, &w->Shape5, &w->Text5, &w->Text6};
    }

    // Start after the start sequence, so its journal lines are behind us;
    // at() counts from there.
    static constexpr std::int64_t kT0 = 11000;

    void SetUp() override {
        PanelTest::SetUp();
        advanceTo(kT0);
        w->Height = kOddHeight;
        h0 = kOddHeight;
    }

    void at(std::int64_t ms) { advanceTo(kT0 + ms); }

    double h0 = 0.0;
};

void expectFront(const CylinderParts& c, bool front, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(c.rod->Visible.get(), !front);
    EXPECT_EQ(c.headTop->Visible.get(), !front);
    EXPECT_EQ(c.headBottom->Visible.get(), front);
    EXPECT_EQ(c.frontRod->Visible.get(), front);
    EXPECT_EQ(c.endHome->Visible.get(), !front);
    EXPECT_EQ(c.endFront->Visible.get(), front);
    EXPECT_EQ(c.homeLamp->BackColor.get(), palette(front ? 14 : 10));
    EXPECT_EQ(c.frontLamp->BackColor.get(), palette(front ? 10 : 14));
}

TEST_F(Cylinders, StartInHomePositionWithOnlyManOffered) {
    expectFront(left(), false, "left");
    expectFront(right(), false, "right");
    EXPECT_FALSE(w->Command10.Enabled);
    EXPECT_FALSE(w->Command4.Enabled);
    EXPECT_TRUE(w->ctl("Command11").Enabled);
    EXPECT_TRUE(w->ctl("Command5").Enabled);
    EXPECT_TRUE(lit(w->Text9, 14));
}

TEST_F(Cylinders, RightManDrivesOutWarnsAndGrowsTheWindow) {
    const Colour leftBarrel = w->Shape2.BackColor;
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command5"));
    expectFront(right(), true, "right");
    expectFront(left(), false, "left");
    EXPECT_TRUE(lit(w->Text9, 12));
    EXPECT_TRUE(lit(w->Shape1, 12));
    EXPECT_EQ(w->Shape2.BackColor.get(), leftBarrel);
    EXPECT_TRUE(w->Command4.Enabled);
    EXPECT_FALSE(w->Command10.Enabled);
    EXPECT_EQ(linesSince(m), Lines{kWarning});
    EXPECT_EQ(w->Text8.Text.get(), kWarning);
    EXPECT_EQ(w->Height.get(), h0 + 3120.0);
}

TEST_F(Cylinders, ManTwiceThenAutoWritesTwoWarningsAndOneAutoLine) {
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command5"));
    ASSERT_TRUE(click("Command5"));
    expectFront(right(), true, "right");
    ASSERT_TRUE(click("Command4"));
    EXPECT_EQ(linesSince(m), (Lines{kWarning, kWarning, kRightBack}));
    EXPECT_EQ(w->Height.get(), h0 + 3100.0);
    expectFront(right(), false, "right");
    EXPECT_TRUE(lit(w->Shape1, 15));
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_FALSE(w->Command4.Enabled);
    EXPECT_FALSE(click("Command4"));
}

TEST_F(Cylinders, LeftAutoTakesEffectAfterNineteenHundredMilliseconds) {
    ASSERT_TRUE(click("Command11"));
    EXPECT_EQ(w->Height.get(), h0 + 3120.0);
    at(1000);
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command10"));
    EXPECT_FALSE(w->Command10.Enabled);

    at(2899);
    expectFront(left(), true, "left");
    EXPECT_TRUE(lit(w->Shape2, 12));
    EXPECT_TRUE(lit(w->Text9, 12));
    EXPECT_TRUE(linesSince(m).empty());
    EXPECT_EQ(w->Height.get(), h0 + 3120.0);

    at(2900);
    expectFront(left(), false, "left");
    EXPECT_TRUE(lit(w->Shape2, 15));
    EXPECT_TRUE(lit(w->Text9, 14));
    EXPECT_FALSE(w->Timer14.Enabled);
    EXPECT_FALSE(w->Command10.Enabled);
    EXPECT_EQ(linesSince(m), Lines{kLeftBack});
    EXPECT_EQ(w->Height.get(), h0 - 20.0);

    advance(10000);
    EXPECT_EQ(linesSince(m), Lines{kLeftBack});
}

TEST_F(Cylinders, LeftManDuringPendingReturnLeavesAutoEnabledAfterTheTick) {
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command11"));
    at(500);
    ASSERT_TRUE(click("Command10"));
    at(1500);
    ASSERT_TRUE(click("Command11"));
    EXPECT_TRUE(w->Command10.Enabled);
    EXPECT_EQ(w->Height.get(), h0 + 6240.0);

    // The pending tick still comes at 500 + 1900 ms.
    at(2400);
    expectFront(left(), false, "left");
    EXPECT_TRUE(w->Command10.Enabled);
    EXPECT_EQ(w->Height.get(), h0 + 3100.0);
    EXPECT_EQ(linesSince(m), (Lines{kWarning, kWarning, kLeftBack}));

    // Another Auto shrinks again and logs again, with nothing to move.
    ASSERT_TRUE(click("Command10"));
    advance(1900);
    expectFront(left(), false, "left");
    EXPECT_EQ(w->Height.get(), h0 - 40.0);
    EXPECT_EQ(linesSince(m), (Lines{kWarning, kWarning, kLeftBack, kLeftBack}));
}

TEST_F(Cylinders, AutoOnOneOfTwoManualCylindersLeavesTheOtherOut) {
    ASSERT_TRUE(click("Command11"));
    ASSERT_TRUE(click("Command5"));
    ASSERT_TRUE(click("Command4"));
    EXPECT_TRUE(lit(w->Text9, 14));
    expectFront(right(), false, "right");
    expectFront(left(), true, "left");
    EXPECT_TRUE(lit(w->Shape2, 12));
    EXPECT_TRUE(w->Command10.Enabled);
}

TEST_F(Cylinders, HeightStepTheWindowCannotTakeIsSkipped) {
    // Room for one grow step but not two.
    w->maxHeight = h0 + 5000.0;
    w->minHeight = h0 - 1000.0;
    const std::size_t m = mark();
    ASSERT_TRUE(click("Command5"));
    EXPECT_EQ(w->Height.get(), h0 + 3120.0);
    ASSERT_TRUE(click("Command5"));
    EXPECT_EQ(w->Height.get(), h0 + 3120.0);
    // The rest of the handler still ran.
    EXPECT_EQ(linesSince(m), (Lines{kWarning, kWarning}));
    // The next step starts from the height the window has, after the skip.
    ASSERT_TRUE(click("Command4"));
    EXPECT_EQ(w->Height.get(), h0 - 20.0);
    // The user makes the window short; a return would then go below the
    // minimum, so it is skipped too.
    ASSERT_TRUE(click("Command5"));
    EXPECT_EQ(w->Height.get(), h0 + 3100.0);
    w->Height = h0 - 900.0;
    ASSERT_TRUE(click("Command4"));
    EXPECT_EQ(w->Height.get(), h0 - 900.0);
    expectFront(right(), false, "right");
    EXPECT_EQ(lastLine(w->List1), kRightBack);
}

TEST_F(Cylinders, StepsReachTheWindowInTheirOrder) {
    ChangeRecorder rec;
    w->addObserver(&rec);
    ASSERT_TRUE(click("Command11"));
    w->removeObserver(&rec);
    const Lines expected = {"Text9.BackColor", "Command10.Enabled", "Line5.Visible",    "Line6.Visible",
                            "Line7.Visible",   "Line12.Visible",    "Shape3.Visible",   "Shape6.Visible",
                            "Text2.BackColor", "Text3.BackColor",   "Shape2.BackColor", "Text8.Text",
                            "List1.Lines",     "Form.Height"};
    EXPECT_EQ(rec.changes, expected);
}

} // namespace
} // namespace kav::test
