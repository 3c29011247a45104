// Deleting the logbook file does not touch the list: the next journal chain's
// save writes the file again with every entry, the old ones included.
#include "forms/Program.h"
#include "forms/frmMain.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
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

} // namespace
} // namespace kav
