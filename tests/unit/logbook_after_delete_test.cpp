// Deleting the logbook file does not touch the list: the next journal chain's
// save writes the file again with every entry, the old ones included. The
// closing save writes only lines no save has written, so a delete sticks.
#include "forms/Program.h"
#include "forms/frmMain.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace kav {
namespace {

std::string bytesOf(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(LogbookDelete, NextChainSaveWritesTheFileAgainWithAllEntries) {
    test::TempDir dir;
    test::FakePlatform fake(dir.path());
    VirtualClock clock;
    Program program(fake, clock);
    program.start();
    frmMain& w = program.main();
    program.timers().advance(clock, 400); // the welcome chain has saved
    const auto file = dir.path() / "kavrilon.ini";
    const std::string saved = bytesOf(file);
    ASSERT_FALSE(saved.empty());

    w.ta_Click(0);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(fake.callsStartingWith("messageBox").empty()); // a present file goes silently
    const auto lines = w.List1.ListCount();

    w.kop_Click();
    program.timers().advance(clock, 299);
    EXPECT_FALSE(std::filesystem::exists(file));
    program.timers().advance(clock, 1);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(w.List1.ListCount(), lines + 1);
    const std::string again = bytesOf(file);
    EXPECT_EQ(again.substr(0, saved.size()), saved);
    EXPECT_EQ(again.substr(saved.size()),
              "Anv\xE4ndaren har tryck p\xE5 knappen eller menyn:  Kopiera till Klipp-Minnet\r\n");

    // With the file gone, a second delete fails and says so.
    std::filesystem::remove(file);
    w.ta_Click(0);
    EXPECT_EQ(fake.callsStartingWith("messageBox"),
              (std::vector<std::string>{"messageBox(frmMain|FEL !! Fil saknas!!|Delete - FEL)"}));
}

TEST(LogbookExitSave, SavesOnlyWhenTheListHoldsLinesNoSaveHasWritten) {
    struct Case {
        const char* what;
        std::function<void(frmMain&, test::FakePlatform&, std::function<void(int)>)> steps;
        std::size_t exitSaves;
        bool fileAfterExit;
    };
    const std::vector<Case> cases = {
        {"ended before the welcome line", [](auto&, auto&, auto) {}, 0, false},
        {"nothing new since the welcome save", [](auto&, auto&, auto advance) { advance(400); }, 0, true},
        {"deleted",
         [](frmMain& w, auto&, auto advance) {
             advance(400);
             w.ta_Click(0);
         },
         0, false},
        {"deleted, then a chain",
         [](frmMain& w, auto&, auto advance) {
             advance(400);
             w.ta_Click(0);
             w.kop_Click();
             advance(300);
         },
         0, true},
        {"deleted, then a journal line no chain saved",
         [](frmMain& w, auto&, auto advance) {
             advance(400);
             w.ta_Click(0);
             w.journalLine("Systemet snabb-startad.");
         },
         1, true},
        {"a chain whose save failed",
         [](frmMain& w, test::FakePlatform& fake, auto advance) {
             advance(400);
             fake.failWrites = true;
             w.kop_Click();
             advance(300);
             fake.failWrites = false;
         },
         1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::FakePlatform fake(dir.path());
        VirtualClock clock;
        Program program(fake, clock);
        program.start();
        c.steps(program.main(), fake, [&](int ms) { program.timers().advance(clock, ms); });
        const std::size_t before = fake.callsStartingWith("writeFileAtomic").size();
        program.main().saveUnsavedLines();
        EXPECT_EQ(fake.callsStartingWith("writeFileAtomic").size() - before, c.exitSaves);
        EXPECT_EQ(std::filesystem::exists(dir.path() / "kavrilon.ini"), c.fileAfterExit);
    }
}

} // namespace
} // namespace kav
