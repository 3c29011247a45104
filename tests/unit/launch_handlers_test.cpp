// The launcher menu and the logbook file commands on the main window: each
// item makes exactly its one platform call, every launching item has its row
// among the Linux stand-ins; the file commands copy and delete through the
// Logbook, and only a failed delete shows a message.
#include "platform/launch/Launcher.h"
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kav {
namespace {

// Every menu item of the launcher, and the two ways to open the logbook in
// the editor.
const std::vector<std::string> kLaunchItems = {
    "lym",   "spel",  "hj",    "tool",  "kor",   "vol",  "ljud",    "natverk", "nat",    "adress", "panel",
    "skriv", "klipp", "losen", "fjarr", "alt",   "play", "behor",   "kon",     "screen", "ener",   "mus",
    "sys",   "rtob",  "JOY",   "alter", "sol",   "mine", "uppdate", "winxp",   "dows",   "win7",   "bekant",
    "color", "motor", "out",   "epost", "utfor", "info", "bok",     "Command6"};

class LaunchHandlers : public test::ProgramTest {
protected:
    frmMain& w = form();

    // Clicks an item (array members carry their index) and returns the calls
    // it made.
    std::vector<std::string> click(const std::string& item, int index = -1) {
        fake.calls.clear();
        EventArgs args;
        args.index = index;
        if (item == "rtob") args.index = index < 0 ? 1 : index;
        if (item == "ta") args.index = index < 0 ? 0 : index;
        EXPECT_TRUE(w.raise(item, Event::Click, args)) << item << " has no handler";
        return fake.calls;
    }

    // The item and the web address of a "launch(item|address)" call.
    static std::string itemOf(const std::string& call) {
        const std::string prefix = "launch(";
        if (!call.starts_with(prefix)) return {};
        return call.substr(prefix.size(), call.find_first_of("|)") - prefix.size());
    }
    static std::string addressOf(const std::string& call) {
        const auto bar = call.find('|');
        return itemOf(call).empty() || bar == std::string::npos ? "" : call.substr(bar + 1, call.size() - bar - 2);
    }
};

TEST_F(LaunchHandlers, EachItemMakesExactlyOneLaunchOfItself) {
    for (const auto& item : kLaunchItems) {
        const auto calls = click(item);
        ASSERT_EQ(calls.size(), 1u) << item;
        EXPECT_EQ(itemOf(calls[0]), item == "Command6" ? "bok" : item) << calls[0];
    }
}

TEST_F(LaunchHandlers, EveryLaunchingMenuItemHasOneStandInRow) {
    // The menu items whose click starts a program, each starting its own row.
    std::multiset<std::string> launching;
    for (const ControlDef& item : w.def().controls) {
        if (item.kind != Kind::MenuItem) continue;
        fake.calls.clear();
        EventArgs args;
        args.index = item.index;
        w.raise(item.name, Event::Click, args);
        for (const auto& call : fake.calls)
            if (call.starts_with("launch(")) {
                EXPECT_EQ(itemOf(call), item.name) << call;
                launching.insert(std::string(item.name));
            }
    }
    std::multiset<std::string> rows;
    for (const StandIn& row : standIns())
        rows.insert(std::string(row.item));
    EXPECT_EQ(rows, launching);
}

TEST_F(LaunchHandlers, OnlyTheFourHelpSitePagesPassAWebAddress) {
    const std::map<std::string, std::string> pages = {{"winxp", "/sv-SE/windows/downloads"},
                                                      {"dows", "/sv-SE/windows/help"},
                                                      {"win7", "/sv-SE/windows7/products/home"},
                                                      {"bekant", "/sv-SE/windows/explore/get-to-know"}};
    for (const auto& item : kLaunchItems) {
        const std::string address = addressOf(click(item).at(0));
        const auto page = pages.find(item);
        if (page == pages.end()) {
            EXPECT_EQ(address, "") << item;
            continue;
        }
        EXPECT_TRUE(address.starts_with("https://")) << item << ": " << address;
        EXPECT_TRUE(address.ends_with(page->second)) << item << ": " << address;
        EXPECT_EQ(address.find('/', 8), address.size() - page->second.size()) << item << ": " << address;
    }
}

TEST_F(LaunchHandlers, TheArrayIndexOfRtobChangesNothing) {
    const auto first = click("rtob", 1);
    EXPECT_EQ(first, std::vector<std::string>{"launch(rtob)"});
    EXPECT_EQ(click("rtob", 0), first);
    EXPECT_EQ(click("rtob", 7), first);
}

TEST_F(LaunchHandlers, AFailedLaunchShowsNothingAndTheWindowIsUnchanged) {
    fake.launchResult = false;
    const std::size_t lines = w.List1.ListCount();
    const std::string journal = w.Text8.Text;
    for (const auto& item : kLaunchItems) {
        const auto calls = click(item);
        EXPECT_EQ(calls.size(), 1u) << item;
        EXPECT_TRUE(fake.callsStartingWith("messageBox").empty()) << item;
    }
    EXPECT_EQ(w.List1.ListCount(), lines);
    EXPECT_EQ(w.Text8.Text.get(), journal);
}

// A: is the first medium in name order, D: and E: the second.
TEST_F(LaunchHandlers, CopyCommandsCopyTheLogbookToTheirDrive) {
    struct Case {
        const char* item;
        const char* medium;
    };
    const Case cases[] = {{"sp", "1"}, {"loggbok", "2"}, {"bra", "2"}};
    writeLogbook("en rad\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        for (const char* medium : {"1", "2"}) {
            std::filesystem::remove_all(media.path() / medium);
            std::filesystem::create_directory(media.path() / medium);
        }
        EXPECT_TRUE(click(c.item).empty());
        std::ifstream copy(media.path() / c.medium / "kavrilon.ini", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "en rad\r\n");
    }
}

TEST_F(LaunchHandlers, ACopyWithoutAMediumIsNotReported) {
    writeLogbook("en rad\r\n");
    for (const auto& item : {"sp", "loggbok", "bra"})
        EXPECT_TRUE(click(item).empty()) << item;
}

TEST_F(LaunchHandlers, DeleteOfAPresentFileIsSilentAndOfAMissingOneIsNot) {
    writeLogbook("x\r\n");
    EXPECT_TRUE(click("ta").empty());
    EXPECT_FALSE(std::filesystem::exists(logbookFile));

    EXPECT_EQ(click("ta"), std::vector<std::string>{"messageBox(frmMain|FEL !! Fil saknas!!|Delete - FEL)"});
}

TEST_F(LaunchHandlers, DeleteTakesTheFileNameFromText12) {
    writeLogbook("x\r\n");
    { std::ofstream(dir.path() / "annan.ini") << "y\r\n"; }
    w.Text12.Text = "annan.ini";
    EXPECT_TRUE(click("ta").empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "annan.ini"));
    EXPECT_TRUE(std::filesystem::exists(logbookFile));
}

TEST_F(LaunchHandlers, FileCommandsLeaveTheLogbookListAndJournalAlone) {
    w.List1.AddItem("en rad");
    const std::size_t lines = w.List1.ListCount();
    const std::string journal = w.Text8.Text;
    for (const auto& item : {"bok", "Command6", "sp", "loggbok", "bra", "ta"})
        click(item);
    EXPECT_EQ(w.List1.ListCount(), lines);
    EXPECT_EQ(w.Text8.Text.get(), journal);
    EXPECT_FALSE(logbookBytes());
}

} // namespace
} // namespace kav
