// "&Open CD" and "&Close CD" on the main window: the door command, the swap
// of the two buttons, and the journal chain that logs the press and saves the
// logbook; and "Stäng av datorn", which only opens the shut-down dialog.
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace kav {
namespace {

const std::string kOpenLine = "Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut..";
const std::string kCloseLine = "Användaren har tryck på knappen:  Stäng CD rom - CD Släde in..";
// The same lines as the logbook file holds them: Windows-1252, CR LF.
const std::string kOpenLineInFile = "Anv\xE4ndaren har tryck p\xE5 knappen:  \xD6ppna CD rom - CD Sl\xE4"
                                    "de ut..\r\n";
const std::string kCloseLineInFile = "Anv\xE4ndaren har tryck p\xE5 knappen:  St\xE4ng CD rom - CD Sl\xE4"
                                     "de in..\r\n";

class CdTrayButtons : public test::ProgramTest {
protected:
    void SetUp() override {
        start();
        // Let whatever the start-up writes and saves run to its end, so every
        // line and save from here on comes from the tray.
        advance(1000);
        clearCalls();
        linesAtStart = mark();
    }

    std::vector<std::string> newLines() { return linesSince(linesAtStart); }
    std::string fileBytes() const { return logbookBytes().value_or(""); }
    // Exactly one of the two tray buttons is usable.
    void expectOffered(bool openOffered) {
        EXPECT_EQ(main().Command8.Enabled.get(), openOffered);
        EXPECT_EQ(main().Command9.Enabled.get(), !openOffered);
    }

    std::size_t linesAtStart = 0;
};

TEST_F(CdTrayButtons, OpenSendsTheCommandSwapsButtonsLogsAfter150msAndSavesAfter300ms) {
    expectOffered(true);

    click("Command8");
    EXPECT_EQ(fake.calls, std::vector<std::string>{"cdDoor(open)"});
    expectOffered(false);
    EXPECT_TRUE(main().Timer10.Enabled.get());

    advance(149);
    EXPECT_TRUE(newLines().empty());

    advance(1);
    EXPECT_EQ(newLines(), std::vector<std::string>{kOpenLine});
    EXPECT_EQ(main().Text8.Text.get(), kOpenLine);
    EXPECT_FALSE(main().Timer10.Enabled.get());
    EXPECT_TRUE(main().ctl("Timer11").Enabled.get());
    EXPECT_EQ(saves(), 0u);

    advance(149);
    EXPECT_EQ(saves(), 0u);
    advance(1);
    EXPECT_EQ(saves(), 1u);
    EXPECT_FALSE(main().ctl("Timer11").Enabled.get());
    EXPECT_TRUE(fileBytes().ends_with(kOpenLineInFile)) << fileBytes();

    // The chain is over: nothing more is written or saved.
    advance(1000);
    EXPECT_EQ(newLines().size(), 1u);
    EXPECT_EQ(saves(), 1u);
}

TEST_F(CdTrayButtons, CloseSendsTheCommandSwapsBackLogsAndSaves) {
    click("Command8");
    advance(400);
    clearCalls();

    click("Command9");
    EXPECT_EQ(fake.calls, std::vector<std::string>{"cdDoor(close)"});
    expectOffered(true);
    EXPECT_TRUE(main().Timer12.Enabled.get());

    advance(150);
    EXPECT_EQ(newLines(), (std::vector<std::string>{kOpenLine, kCloseLine}));
    EXPECT_EQ(main().Text8.Text.get(), kCloseLine);
    EXPECT_FALSE(main().Timer12.Enabled.get());
    EXPECT_TRUE(main().ctl("Timer13").Enabled.get());
    EXPECT_EQ(saves(), 0u);

    advance(150);
    EXPECT_EQ(saves(), 1u);
    EXPECT_FALSE(main().ctl("Timer13").Enabled.get());
    EXPECT_TRUE(fileBytes().ends_with(kOpenLineInFile + kCloseLineInFile)) << fileBytes();
}

TEST_F(CdTrayButtons, OnlyTheOfferedButtonReactsAndTheyAlternate) {
    // "&Close CD" is not offered at load: pressing it sends nothing.
    click("Command9");
    EXPECT_TRUE(fake.calls.empty());

    click("Command8");
    expectOffered(false);
    click("Command8"); // not offered any more
    click("Command9");
    expectOffered(true);
    click("Command8");
    expectOffered(false);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"cdDoor(open)", "cdDoor(close)", "cdDoor(open)"}));
}

TEST_F(CdTrayButtons, TheDoorIsAskedBeforeTheButtonsChange) {
    // The handler waits for the tray: while the door command runs, the window
    // still shows the state from before the press.
    std::vector<std::tuple<bool, bool, bool>> seen;
    fake.duringCdDoor = [&] {
        seen.emplace_back(main().Command8.Enabled.get(), main().Command9.Enabled.get(),
                          main().Timer10.Enabled.get() || main().Timer12.Enabled.get());
    };
    click("Command8");
    advance(400);
    click("Command9");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_tuple(true, false, false));
    EXPECT_EQ(seen[1], std::make_tuple(false, true, false));
}

TEST_F(CdTrayButtons, AFailingDriveStillSwapsLogsAndSaves) {
    fake.cdResult = false; // no drive, or one that refuses

    click("Command8");
    EXPECT_EQ(fake.calls, std::vector<std::string>{"cdDoor(open)"});
    expectOffered(false);
    advance(300);
    click("Command9");
    EXPECT_EQ(fake.callsStartingWith("cdDoor"), (std::vector<std::string>{"cdDoor(open)", "cdDoor(close)"}));
    expectOffered(true);
    advance(300);

    EXPECT_EQ(newLines(), (std::vector<std::string>{kOpenLine, kCloseLine}));
    EXPECT_EQ(saves(), 2u);
}

TEST_F(CdTrayButtons, OpenThenCloseWithin150msRunBothChainsInFiringOrder) {
    click("Command8");
    advance(50);
    click("Command9");
    expectOffered(true);

    advance(100); // 150 ms after the open press
    EXPECT_EQ(newLines(), std::vector<std::string>{kOpenLine});
    advance(50); // 150 ms after the close press
    EXPECT_EQ(newLines(), (std::vector<std::string>{kOpenLine, kCloseLine}));
    EXPECT_EQ(saves(), 0u);

    advance(100); // the open chain saves the list as it is now: both lines
    EXPECT_EQ(saves(), 1u);
    EXPECT_TRUE(fileBytes().ends_with(kOpenLineInFile + kCloseLineInFile)) << fileBytes();
    advance(50); // and the close chain saves once more
    EXPECT_EQ(saves(), 2u);
    EXPECT_TRUE(fileBytes().ends_with(kOpenLineInFile + kCloseLineInFile)) << fileBytes();

    advance(1000);
    EXPECT_EQ(newLines().size(), 2u);
    EXPECT_EQ(saves(), 2u);
    for (const char* t : {"Timer10", "Timer11", "Timer12", "Timer13"})
        EXPECT_FALSE(main().ctl(t).Enabled.get()) << t;
}

// Everything a handler can change on the main window, for before/after checks.
using ControlState = std::tuple<std::string, std::string, bool, bool, Colour, std::vector<std::string>>;
std::vector<ControlState> snapshot(const Window& w) {
    std::vector<ControlState> out;
    for (const Control& c : w.controls())
        out.emplace_back(c.Caption.get(), c.Text.get(), c.Visible.get(), c.Enabled.get(), c.BackColor.get(),
                         test::ProgramFixture::linesOf(c));
    return out;
}

TEST_F(CdTrayButtons, ShutDownMenuOnlyOpensTheDialogAndChangesNothing) {
    std::vector<ControlState> during;
    fake.duringModal = [&] { during = snapshot(main()); };
    const auto before = snapshot(main());

    ASSERT_TRUE(main().raise("win", Event::Click));
    EXPECT_EQ(fake.calls, std::vector<std::string>{"shutdownDialog()"});
    EXPECT_EQ(during, before);
    EXPECT_EQ(snapshot(main()), before);

    // No chain was started: no line is written and nothing is saved later.
    advance(1000);
    EXPECT_TRUE(newLines().empty());
    EXPECT_EQ(saves(), 0u);
}

} // namespace
} // namespace kav
