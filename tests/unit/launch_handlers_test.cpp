// The launcher menu and the logbook file commands on the main window: each
// launching item makes exactly its one platform call and has its row in the
// launcher table and among the Linux stand-ins; the file commands copy and
// delete through the Logbook, and only a failed delete shows a message.
#include "launcher/LaunchItems.h"
#include "platform/launch/StandIns.h"
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// The control-panel pages are shown with code 5; everything else with 1.
const std::set<std::string> kShowCode5 = {"screen", "ener", "mus", "sys", "rtob", "JOY", "alter"};

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

    // The item and the command line of a "launch(item|line|code)" call.
    static std::string itemOf(const std::string& call) {
        const std::string prefix = "launch(";
        if (!call.starts_with(prefix)) return {};
        return call.substr(prefix.size(), call.find('|') - prefix.size());
    }
    static std::string commandLineOf(const std::string& call) {
        const auto first = call.find('|');
        const auto last = call.rfind('|');
        if (itemOf(call).empty() || first == last) return {};
        return call.substr(first + 1, last - first - 1);
    }
};

TEST_F(LaunchHandlers, EachItemMakesExactlyOneLaunchWithItsShowCode) {
    for (const auto& item : kLaunchItems) {
        const auto calls = click(item);
        ASSERT_EQ(calls.size(), 1u) << item;
        const std::string code = kShowCode5.count(item) ? "5" : "1";
        EXPECT_EQ(calls[0].rfind("launch(", 0), 0u) << item << ": " << calls[0];
        EXPECT_EQ(calls[0].substr(calls[0].size() - 3), "|" + code + ")") << item << ": " << calls[0];
    }
}

TEST_F(LaunchHandlers, CommandLinesAreByteForByteThoseOfTheMenu) {
    struct Case {
        std::string item;
        std::string call;
    };
    const std::vector<Case> cases = {
        {"lym", "launch(lym|C:\\windows\\system32\\sndvol32.exe|1)"},
        {"tool", "launch(tool|c:\\windows\\hh.exe C:\\WINDOWS\\Help\\admtools.CHM|1)"},
        {"kor", "launch(kor|c:\\windows\\hh.exe C:\\WINDOWS\\Help\\keyshort.chm|1)"},
        {"screen", "launch(screen|rundll32.exe shell32.dll,Control_RunDLL desk.cpl|5)"},
        {"alter", "launch(alter|rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl|5)"},
        {"mine", "launch(mine|C:\\windows\\system32\\winmine.exe|1)"},
        {"win7", "launch(win7|C:\\Program\\Internet Explorer\\IEXPLORE.EXE "
                 "https://support.microsoft.com/sv-SE/windows7/products/home|1)"},
        {"bekant", "launch(bekant|C:\\Program\\Internet Explorer\\IEXPLORE.EXE "
                   "https://support.microsoft.com/sv-SE/windows/explore/get-to-know|1)"},
        {"epost", "launch(epost|C:\\Program\\Outlook Express\\msimn.exe|1)"},
        {"utfor", "launch(utfor|C:\\windows\\explorer.exe|1)"},
        {"info", "launch(info|c:\\windows\\hh.exe C:\\WINDOWS\\Help\\msinfo32.chm|1)"},
        {"bok", "launch(bok|C:\\windows\\notepad.exe kavrilon.ini|1)"},
        {"Command6", "launch(bok|C:\\windows\\notepad.exe kavrilon.ini|1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(click(c.item), std::vector<std::string>{c.call}) << c.item;
}

TEST_F(LaunchHandlers, EveryLaunchingMenuItemHasOneRowInEachTable) {
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
    std::multiset<std::string> launcherRows, standInRows;
    for (const LaunchItem& row : launchItems())
        launcherRows.insert(std::string(row.name));
    for (const StandIn& row : standIns())
        standInRows.insert(row.item);
    const struct {
        const char* table;
        const std::multiset<std::string>& rows;
    } tables[] = {{"launcher table", launcherRows}, {"Linux stand-ins", standInRows}};
    for (const auto& t : tables)
        EXPECT_EQ(t.rows, launching) << t.table;
}

TEST_F(LaunchHandlers, WebPagesAndTheHomepageUseTheBrowserLine) {
    const std::string browser = "C:\\Program\\Internet Explorer\\IEXPLORE.EXE ";
    const std::vector<std::pair<std::string, std::string>> pages = {{"winxp", "/sv-SE/windows/downloads"},
                                                                    {"dows", "/sv-SE/windows/help"},
                                                                    {"win7", "/sv-SE/windows7/products/home"},
                                                                    {"bekant", "/sv-SE/windows/explore/get-to-know"}};
    for (const auto& [item, path] : pages) {
        const std::string line = commandLineOf(click(item).at(0));
        EXPECT_EQ(line, browser + "https://support.microsoft.com" + path) << item;
    }
    EXPECT_EQ(commandLineOf(click("color").at(0)), browser + "https://kavrilon.example/");
    EXPECT_EQ(commandLineOf(click("motor").at(0)), browser + "https://kavrilon.example/sok");
}

TEST_F(LaunchHandlers, TheArrayIndexOfRtobChangesNothing) {
    const auto first = click("rtob", 1);
    EXPECT_EQ(first, std::vector<std::string>{"launch(rtob|rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl|5)"});
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
