// Deleting the logbook file does not touch the list: the next journal chain's
// save writes the file again with every entry, the old ones included. The
// closing save writes only lines no save has written, and never brings back a
// logbook deleted since the last save.
#include "tests/support/ProgramFixture.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace kav {
namespace {

using LogbookDelete = test::ProgramTest;

TEST_F(LogbookDelete, NextChainSaveWritesTheFileAgainWithAllEntries) {
    frmMain& w = start();
    advance(400); // the welcome chain has saved
    const std::string& file = logbookFile;
    const std::string saved = logbookBytes().value_or("");
    ASSERT_FALSE(saved.empty());

    w.raise("ta", Event::Click, {.index = 0});
    EXPECT_FALSE(logbookBytes().has_value());
    EXPECT_TRUE(fake.callsStartingWith("messageBox").empty()); // a present file goes silently
    const auto lines = w.List1.ListCount();

    w.raise("kop", Event::Click);
    advance(299);
    EXPECT_FALSE(logbookBytes().has_value());
    advance(1);
    ASSERT_TRUE(logbookBytes().has_value());
    EXPECT_EQ(w.List1.ListCount(), lines + 1);
    const std::string again = logbookBytes().value_or("");
    EXPECT_EQ(again.substr(0, saved.size()), saved);
    EXPECT_EQ(again.substr(saved.size()),
              "Anv\xE4ndaren har tryck p\xE5 knappen eller menyn:  Kopiera till Klipp-Minnet\r\n");

    // With the file gone, a second delete fails and says so.
    std::filesystem::remove(file);
    w.raise("ta", Event::Click, {.index = 0});
    EXPECT_EQ(fake.callsStartingWith("messageBox"),
              (std::vector<std::string>{"messageBox(frmMain|FEL !! Fil saknas!!|Delete - FEL)"}));
}

TEST(LogbookExitSave, SavesOnlyWhenTheListHoldsLinesNoSaveHasWritten) {
    struct Case {
        const char* what;
        std::function<void(test::ProgramFixture&)> steps;
        std::size_t exitSaves;
        bool fileAfterExit;
    };
    const std::vector<Case> cases = {
        {"ended before the welcome line", [](auto&) {}, 0, false},
        {"nothing new since the welcome save", [](auto& run) { run.advance(400); }, 0, true},
        {"deleted",
         [](auto& run) {
             run.advance(400);
             run.main().raise("ta", Event::Click, {.index = 0});
         },
         0, false},
        {"deleted, then a chain",
         [](auto& run) {
             run.advance(400);
             run.main().raise("ta", Event::Click, {.index = 0});
             run.main().raise("kop", Event::Click);
             run.advance(300);
         },
         0, true},
        {"deleted, then a journal line no chain saved",
         [](auto& run) {
             run.advance(400);
             run.main().raise("ta", Event::Click, {.index = 0});
             run.main().journalLine("Systemet snabb-startad.");
         },
         0, false},
        {"a chain whose save failed",
         [](auto& run) {
             run.advance(400);
             run.failWrites(true);
             run.main().raise("kop", Event::Click);
             run.advance(300);
             run.failWrites(false);
         },
         1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ProgramFixture run;
        run.start();
        c.steps(run);
        const std::size_t before = run.saves();
        run.book.saveUnsaved();
        EXPECT_EQ(run.saves() - before, c.exitSaves);
        EXPECT_EQ(run.logbookBytes().has_value(), c.fileAfterExit);
    }
}

} // namespace
} // namespace kav
