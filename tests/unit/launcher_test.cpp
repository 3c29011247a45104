// Carrying out the launcher items on Linux: which stand-in starts from a
// temporary PATH of fake programs, in which order for which desktop, how
// placeholders are filled in, and what a real detached start of a fake
// program receives. No real program is ever started.
#include "platform/launch/Launcher.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include <unistd.h>

namespace kav {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::TempDir;

// A fake program: a shell script that writes the words `what` expands to,
// one a line, to `record` (through a temporary name, so a reader never sees
// half of it).
fs::path makeProgram(const fs::path& dir, const std::string& name, const fs::path& record = {},
                     const std::string& what = "\"$@\"") {
    fs::create_directories(dir);
    const fs::path p = dir / name;
    const std::string out = record.empty() ? (dir / (name + ".args")).string() : record.string();
    std::ofstream(p) << "#!/bin/sh\nprintf '%s\\n' " << what << " > '" << out << ".tmp' && mv '" << out << ".tmp' '"
                     << out << "'\n";
    fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    return p;
}

// A program, or nothing, and its arguments, as a launch started them.
struct Start {
    std::string program;
    std::vector<std::string> args;
    bool operator==(const Start&) const = default;
};

class LauncherTest : public ::testing::Test {
protected:
    TempDir tmp;
    fs::path bin = tmp.path() / "bin";
    fs::path home = tmp.path() / "home";
    std::vector<Start> started;
    // What the recording starter answers: false makes the launcher try every
    // installed stand-in in turn.
    bool startsSucceed = true;

    void SetUp() override {
        fs::create_directories(bin);
        fs::create_directories(home);
        fs::create_directories(tmp.path() / "tmp");
    }

    LaunchEnvironment env(const std::string& desktop = "") const {
        LaunchEnvironment e;
        e.path = bin.string();
        e.currentDesktop = desktop;
        e.home = home.string();
        e.gameDirs = {};
        e.logbook = tmp.path() / "prog" / "kavrilon.ini";
        e.executableDir = tmp.path() / "nowhere";
        e.tmpDir = tmp.path() / "tmp";
        return e;
    }

    // Launches with the recording starter; the starts it made.
    std::vector<Start> launch(const LaunchItem& item, LaunchEnvironment e) {
        started.clear();
        Launcher(std::move(e), [this](const std::string& program, const std::vector<std::string>& args) {
            started.push_back({program, args});
            return startsSucceed;
        }).launch(item);
        return started;
    }
    std::vector<Start> launch(const LaunchItem& item) { return launch(item, env()); }

    std::string in(const fs::path& dir, const std::string& program) const { return (dir / program).string(); }

    // Waits for a fake program's record; its text, or empty after 20 s.
    static std::string waitFor(const fs::path& record) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return readAll(record);
    }
};

TEST_F(LauncherTest, EveryCandidateOfEveryRowStartsWhenItIsTheOnlyOneInstalled) {
    // Each candidate alone on PATH, on its own desktop, with every
    // placeholder resolvable.
    fs::create_directories(tmp.path() / "doc");
    std::ofstream(tmp.path() / "doc" / "index.html") << "<html></html>";
    int n = 0;
    for (const StandIn& row : standIns()) {
        for (const LaunchCandidate& c : row.candidates) {
            const std::string command(c.command);
            const std::string program = command.substr(0, command.find(' '));
            const fs::path dir = tmp.path() / ("path" + std::to_string(n++));
            makeProgram(dir, program);
            LaunchEnvironment e = env(std::string(c.desktop));
            e.path = dir.string();
            e.docDir = tmp.path() / "doc";
            const auto starts = launch({row.item, "https://example.test/"}, e);
            ASSERT_EQ(starts.size(), 1u) << row.item << " -> " << command;
            EXPECT_EQ(starts[0].program, in(dir, program));
            for (const auto& a : starts[0].args)
                EXPECT_EQ(a.find('{'), std::string::npos) << row.item << ": " << a;
        }
    }
}

TEST_F(LauncherTest, TheDesktopsOwnComeFirstThenAnyDesktopsThenOtherDesktops) {
    for (const char* program : {"gnome-control-center", "systemsettings", "pavucontrol"})
        makeProgram(bin, program);
    const Start gnome{in(bin, "gnome-control-center"), {"sound"}};
    const Start kde{in(bin, "systemsettings"), {"kcm_pulseaudio"}};
    const Start any{in(bin, "pavucontrol"), {}};
    const struct {
        std::string desktop;
        std::vector<Start> order;
    } cases[] = {
        {"GNOME", {gnome, any, kde}}, {"ubuntu:GNOME", {gnome, any, kde}}, {"KDE", {kde, any, gnome}},
        {"kde", {kde, any, gnome}},   {"XFCE", {any, gnome, kde}},         {"", {any, gnome, kde}},
    };
    startsSucceed = false;
    for (const auto& c : cases)
        EXPECT_EQ(launch({"lym"}, env(c.desktop)), c.order) << c.desktop;
}

TEST_F(LauncherTest, TheFirstStartThatSucceedsEndsTheLaunch) {
    makeProgram(bin, "gnome-control-center");
    makeProgram(bin, "pavucontrol");
    EXPECT_EQ(launch({"lym"}, env("GNOME")).size(), 1u);
}

TEST_F(LauncherTest, NoProgramOrAnUnknownItemStartsNothing) {
    makeProgram(bin, "something-else");
    const struct {
        const char* what;
        std::function<void()> prepare;
        LaunchItem item;
    } cases[] = {
        {"nothing installed", [] {}, {"lym"}},
        {"a file without execute permission",
         [&] {
             std::ofstream(bin / "pavucontrol") << "#!/bin/sh\n";
             fs::permissions(bin / "pavucontrol", fs::perms::owner_read | fs::perms::owner_write);
         },
         {"lym"}},
        {"a folder of the program's name", [&] { fs::create_directories(bin / "xdg-open"); }, {"utfor"}},
        {"an item of no row", [&] { makeProgram(bin, "calc"); }, {"calc"}},
        {"an item named in another case", [&] { makeProgram(bin, "sol"); }, {"SOL"}},
    };
    for (const auto& c : cases) {
        c.prepare();
        EXPECT_EQ(launch(c.item), std::vector<Start>{}) << c.what;
    }
}

TEST_F(LauncherTest, ProgramsAreFoundInTheGamesFoldersAfterPath) {
    const fs::path games = tmp.path() / "games";
    LaunchEnvironment e = env();
    e.gameDirs = {games};
    const struct {
        std::vector<fs::path> installedIn;
        std::string expected;
    } cases[] = {
        {{games}, in(games, "sol")},
        {{games, bin}, in(bin, "sol")},
    };
    for (const auto& c : cases) {
        for (const auto& dir : c.installedIn)
            makeProgram(dir, "sol");
        EXPECT_EQ(launch({"sol"}, e), (std::vector<Start>{{c.expected, {}}}));
    }
}

TEST_F(LauncherTest, PlaceholdersAreFilledInOrTheirProgramIsPassedOver) {
    makeProgram(bin, "xdg-open");
    const std::string xdgOpen = in(bin, "xdg-open");
    const struct {
        const char* what;
        LaunchItem item;
        std::function<void(LaunchEnvironment&)> change;
        std::vector<Start> expected;
    } cases[] = {
        {"the home folder", {"utfor"}, [](LaunchEnvironment&) {}, {{xdgOpen, {home.string()}}}},
        {"no home folder", {"utfor"}, [](LaunchEnvironment& e) { e.home.clear(); }, {}},
        {"the logbook", {"bok"}, [](LaunchEnvironment&) {}, {{xdgOpen, {env().logbook.string()}}}},
        {"no program folder", {"bok"}, [](LaunchEnvironment& e) { e.logbook.clear(); }, {}},
        {"the item's web page",
         {"dows", "https://example.test/a b"},
         [](LaunchEnvironment&) {},
         {{xdgOpen, {"https://example.test/a b"}}}},
        {"no web page", {"dows"}, [](LaunchEnvironment&) {}, {}},
    };
    for (const auto& c : cases) {
        LaunchEnvironment e = env();
        c.change(e);
        EXPECT_EQ(launch(c.item, e), c.expected) << c.what;
    }
}

TEST_F(LauncherTest, TheOwnPageIsLookedForInItsThreePlacesInOrder) {
    makeProgram(bin, "xdg-open");
    const fs::path exeDir = tmp.path() / "inst" / "bin";
    const fs::path fromVariable = tmp.path() / "my docs";
    const fs::path installed = tmp.path() / "inst" / "share" / "doc" / "kavrilon";
    const fs::path buildTree = exeDir / "doc";
    for (const auto& d : {fromVariable, installed, buildTree}) {
        fs::create_directories(d);
        std::ofstream(d / "index.html") << "<html></html>";
    }
    LaunchEnvironment e = env();
    e.executableDir = exeDir;
    e.docDir = fromVariable;
    e.builtInPage.clear();
    const struct {
        fs::path removedBefore;
        std::string page;
    } cases[] = {
        {{}, "file://" + tmp.path().string() + "/my%20docs/index.html"},
        {fromVariable, "file://" + installed.string() + "/index.html"},
        {installed, "file://" + buildTree.string() + "/index.html"},
        {buildTree, "none"},
    };
    for (const auto& c : cases) {
        fs::remove_all(c.removedBefore);
        for (const char* item : {"color", "motor"}) {
            const auto starts = launch({item}, e);
            EXPECT_EQ(starts.empty() ? "none" : starts.at(0).args.at(0), c.page) << item;
        }
    }
}

TEST_F(LauncherTest, ARealDetachedStartPassesTheArguments) {
    const fs::path record = tmp.path() / "xdg-open.args";
    makeProgram(bin, "xdg-open", record);
    ASSERT_TRUE(Launcher(env()).launch({"dows", "https://example.test/x"}));
    EXPECT_EQ(waitFor(record), "https://example.test/x\n");
}

TEST_F(LauncherTest, LaunchedProgramsGetTheUsersOwnValuesOfKeptVariables) {
    // This process changed both variables for itself; the user had one set
    // and the other unset.
    ::setenv("KAV_TEST_KEPT", "changed", 1);
    ::setenv("KAV_TEST_KEPT_UNSET", "changed", 1);
    keepForLaunchedPrograms("KAV_TEST_KEPT", "the user's");
    keepForLaunchedPrograms("KAV_TEST_KEPT_UNSET", std::nullopt);
    const fs::path record = tmp.path() / "env";
    makeProgram(bin, "xdg-open", record, "\"$KAV_TEST_KEPT\" \"${KAV_TEST_KEPT_UNSET-unset}\"");
    ASSERT_TRUE(Launcher(env()).launch({"utfor"}));
    EXPECT_EQ(waitFor(record), "the user's\nunset\n");
}

TEST_F(LauncherTest, ARelativePathEntryIsNeverSearched) {
    // The working directory holds an xdg-open of its own in every relative
    // place; only the absolute folder's program may be found.
    const fs::path before = fs::current_path();
    const fs::path work = tmp.path() / "work";
    makeProgram(work, "xdg-open");
    makeProgram(work / "bin", "xdg-open");
    makeProgram(bin, "xdg-open");
    fs::current_path(work);
    const std::vector<Start> none, fromBin{{in(bin, "xdg-open"), {home.string()}}};
    const struct {
        std::string path;
        const std::vector<Start>& expected;
    } cases[] = {{"", none},      {".", none},     {"bin", none},
                 {"./bin", none}, {":bin:", none}, {":bin:" + bin.string(), fromBin}};
    for (const auto& c : cases) {
        LaunchEnvironment e = env();
        e.path = c.path;
        EXPECT_EQ(launch({"utfor"}, e), c.expected) << "PATH=" << c.path;
    }
    fs::current_path(before);
}

TEST_F(LauncherTest, TheMissingProgramIsTheOneTheDesktopWouldStartFirst) {
    const struct {
        std::string desktop;
        LaunchItem item;
        std::optional<std::string> missing;
    } cases[] = {
        {"GNOME", {"lym"}, "gnome-control-center"},
        {"", {"lym"}, "pavucontrol"},
        {"", {"calc"}, std::nullopt}, // no row
        {"", {"spel"}, std::nullopt}, // installed below
    };
    makeProgram(bin, "audacity");
    for (const auto& c : cases)
        EXPECT_EQ(Launcher(env(c.desktop)).missingProgram(c.item), c.missing) << c.item.name;
}

// The page goes where nobody else can swap it before the browser reads it:
// the runtime folder when it is the user's own, of mode 0700, or else a
// private folder of the user's in the temporary folder.
TEST_F(LauncherTest, WithoutAnInstalledPageTheBuiltInPageIsWrittenToAPrivateFolder) {
    makeProgram(bin, "xdg-open");
    const fs::path builtIn = tmp.path() / "built-in.html";
    std::ofstream(builtIn) << "<html>sida</html>";
    const test::Unprivileged other;
    const fs::path runtime = tmp.path() / "run";
    const fs::path ownTmp = tmp.path() / "tmp" / ("kavrilon-" + std::to_string(::geteuid()));
    struct Case {
        const char* what;
        std::function<void()> prepare; // given a fresh runtime folder of mode 0700
        fs::path pageFolder;
        bool needsAnotherUser = false;
    };
    const Case cases[] = {
        {"the user's own runtime folder", [] {}, runtime},
        {"no runtime folder", [&] { fs::remove(runtime); }, ownTmp},
        {"a runtime folder others may enter", [&] { fs::permissions(runtime, fs::perms::all); }, ownTmp},
        {"another user's runtime folder", [&] { other.own(runtime); }, ownTmp, true},
        {"another user's folder at the private name, too",
         [&] {
             other.own(runtime);
             fs::create_directory(ownTmp);
             other.own(ownTmp);
         },
         ownTmp.string() + ".1", true},
    };
    for (const Case& c : cases) {
        if (c.needsAnotherUser && !other.created()) continue; // only root can give a folder away
        SCOPED_TRACE(c.what);
        fs::remove_all(runtime);
        fs::remove_all(tmp.path() / "tmp");
        fs::create_directories(tmp.path() / "tmp");
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        c.prepare();
        LaunchEnvironment e = env();
        e.builtInPage = builtIn.string();
        e.runtimeDir = runtime;
        const fs::path page = c.pageFolder / "kavrilon" / "index.html";
        EXPECT_EQ(launch({"color"}, e), (std::vector<Start>{{in(bin, "xdg-open"), {"file://" + page.string()}}}));
        EXPECT_EQ(readAll(page), "<html>sida</html>");
        EXPECT_EQ(fs::status(page.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    }
}

TEST(LaunchEnvironmentTest, FromSystemReadsTheProcessEnvironment) {
    ::setenv("XDG_CURRENT_DESKTOP", "TestDesk", 1);
    ::setenv("KAVRILON_DOC_DIR", "/some/doc", 1);
    const LaunchEnvironment e = LaunchEnvironment::fromSystem();
    ::unsetenv("XDG_CURRENT_DESKTOP");
    ::unsetenv("KAVRILON_DOC_DIR");
    EXPECT_EQ(e.currentDesktop, "TestDesk");
    EXPECT_EQ(e.docDir, fs::path("/some/doc"));
    if (const char* path = std::getenv("PATH")) {
        EXPECT_EQ(e.path, std::string(path));
    }
    // The folder of this test program.
    EXPECT_TRUE(fs::exists(e.executableDir / "launch_test"));
}

} // namespace
} // namespace kav
