// The launcher menu and the logbook file commands on the main window: each
// item makes exactly its one platform call, every command line it passes has
// a Linux stand-in in the launch table, and only a failed delete shows a
// message.
#include "launcher/LaunchTable.h"
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <fstream>
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

    // The command line of a "launch(line|code)" call.
    static std::string commandLineOf(const std::string& call) {
        const std::string prefix = "launch(";
        const auto bar = call.rfind('|');
        if (call.rfind(prefix, 0) != 0 || bar == std::string::npos) return {};
        return call.substr(prefix.size(), bar - prefix.size());
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
        {"lym", "launch(C:\\windows\\system32\\sndvol32.exe|1)"},
        {"tool", "launch(c:\\windows\\hh.exe C:\\WINDOWS\\Help\\admtools.CHM|1)"},
        {"kor", "launch(c:\\windows\\hh.exe C:\\WINDOWS\\Help\\keyshort.chm|1)"},
        {"screen", "launch(rundll32.exe shell32.dll,Control_RunDLL desk.cpl|5)"},
        {"alter", "launch(rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl|5)"},
        {"mine", "launch(C:\\windows\\system32\\winmine.exe|1)"},
        {"win7", "launch(C:\\Program\\Internet Explorer\\IEXPLORE.EXE "
                 "https://support.microsoft.com/sv-SE/windows7/products/home|1)"},
        {"bekant", "launch(C:\\Program\\Internet Explorer\\IEXPLORE.EXE "
                   "https://support.microsoft.com/sv-SE/windows/explore/get-to-know|1)"},
        {"epost", "launch(C:\\Program\\Outlook Express\\msimn.exe|1)"},
        {"utfor", "launch(C:\\windows\\explorer.exe|1)"},
        {"info", "launch(c:\\windows\\hh.exe C:\\WINDOWS\\Help\\msinfo32.chm|1)"},
        {"bok", "launch(C:\\windows\\notepad.exe kavrilon.ini|1)"},
        {"Command6", "launch(C:\\windows\\notepad.exe kavrilon.ini|1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(click(c.item), std::vector<std::string>{c.call}) << c.item;
}

TEST_F(LaunchHandlers, EveryCommandLineHasItsOwnRowInTheLaunchTable) {
    std::set<std::string> used;
    for (const auto& item : kLaunchItems) {
        const auto calls = click(item);
        ASSERT_EQ(calls.size(), 1u) << item;
        const std::string line = commandLineOf(calls[0]);
        const LaunchRow* row = findLaunchRow(line);
        ASSERT_NE(row, nullptr) << item << " passes a line with no stand-in: " << line;
        EXPECT_NE(row->items.find(item), std::string::npos) << item << " is not named in its row: " << row->items;
        EXPECT_FALSE(row->candidates.empty()) << line;
        used.insert(line);
    }
    // No row is left that no item passes, and no two rows share a line.
    EXPECT_EQ(used.size(), launchTable().size());
    std::set<std::string> rows;
    for (const auto& r : launchTable())
        EXPECT_TRUE(rows.insert(r.commandLine).second) << r.commandLine;
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
    EXPECT_EQ(first, std::vector<std::string>{"launch(rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl|5)"});
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

TEST_F(LaunchHandlers, CopyCommandsNameTheFileAndTheirDrive) {
    EXPECT_EQ(click("sp"), std::vector<std::string>{"shellCopy(kavrilon.ini|A:\\kavrilon.ini)"});
    EXPECT_EQ(click("loggbok"), std::vector<std::string>{"shellCopy(kavrilon.ini|E:\\kavrilon.ini)"});
    EXPECT_EQ(click("bra"), std::vector<std::string>{"shellCopy(kavrilon.ini|D:\\kavrilon.ini)"});
    // A failed copy is not reported.
    fake.copyResult = false;
    EXPECT_EQ(click("sp"), std::vector<std::string>{"shellCopy(kavrilon.ini|A:\\kavrilon.ini)"});
    EXPECT_EQ(click("loggbok"), std::vector<std::string>{"shellCopy(kavrilon.ini|E:\\kavrilon.ini)"});
}

TEST_F(LaunchHandlers, DeleteShowsTheMessageOnlyWhenItFails) {
    fake.deleteResult = true;
    EXPECT_EQ(click("ta"), std::vector<std::string>{"shellDelete(kavrilon.ini)"});

    fake.deleteResult = false;
    EXPECT_EQ(click("ta"), (std::vector<std::string>{"shellDelete(kavrilon.ini)",
                                                     "messageBox(frmMain|FEL !! Fil saknas!!|Delete - FEL)"}));
}

TEST_F(LaunchHandlers, DeleteOfAPresentFileIsSilentAndOfAMissingOneIsNot) {
    // The fake deletes in its folder when no answer is set.
    { std::ofstream(dir.path() / "kavrilon.ini") << "x\r\n"; }
    EXPECT_EQ(click("ta"), std::vector<std::string>{"shellDelete(kavrilon.ini)"});
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "kavrilon.ini"));

    const auto calls = click("ta");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1], "messageBox(frmMain|FEL !! Fil saknas!!|Delete - FEL)");
}

TEST_F(LaunchHandlers, DeleteTakesTheFileNameFromText12) {
    fake.deleteResult = true;
    w.Text12.Text = "annan.ini";
    EXPECT_EQ(click("ta"), std::vector<std::string>{"shellDelete(annan.ini)"});
}

TEST_F(LaunchHandlers, FileCommandsLeaveTheLogbookListAndJournalAlone) {
    w.List1.AddItem("en rad");
    const std::size_t lines = w.List1.ListCount();
    const std::string journal = w.Text8.Text;
    fake.deleteResult = false;
    for (const auto& item : {"bok", "Command6", "sp", "loggbok", "bra", "ta"})
        click(item);
    EXPECT_EQ(w.List1.ListCount(), lines);
    EXPECT_EQ(w.Text8.Text.get(), journal);
    EXPECT_TRUE(fake.callsStartingWith("writeFileAtomic").empty());
}

} // namespace
} // namespace kav
