// Carrying out the launcher items on Linux: which stand-in is found on
// a temporary PATH of fake programs, in which order for which desktop, how
// placeholders are filled in, and that a real detached start of a fake
// program passes its arguments. No real program is ever started.
#include "forms/main/LaunchItems.h"
#include "platform/launch/Launcher.h"
#include "platform/launch/StandIns.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <unistd.h>

namespace kav {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::TempDir;

// The launcher table's row of an item.
const LaunchItem& item(std::string_view name) {
    const LaunchItem* row = findLaunchItem(name);
    if (!row) throw std::out_of_range("no launcher item " + std::string(name));
    return *row;
}

const LaunchItem& kDeskCpl = item("screen");
const LaunchItem& kNotepad = item("bok");
const LaunchItem& kExplorer = item("utfor");
const LaunchItem& kHomepage = item("color");
const LaunchItem& kSearchPage = item("motor");
const LaunchItem& kHelpPage = item("dows");
const LaunchItem& kSol = item("sol");
const LaunchItem& kVolume = item("lym");

// A fake program: a shell script that writes its arguments, one a line, to
// `record` (through a temporary name, so a reader never sees half of it).
fs::path makeProgram(const fs::path& dir, const std::string& name, const fs::path& record = {}) {
    fs::create_directories(dir);
    const fs::path p = dir / name;
    const std::string out = record.empty() ? (dir / (name + ".args")).string() : record.string();
    {
        std::ofstream f(p);
        f << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << out << ".tmp' && mv '" << out << ".tmp' '" << out << "'\n";
    }
    fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    return p;
}

class LaunchResolve : public ::testing::Test {
protected:
    TempDir tmp;
    fs::path bin = tmp.path() / "bin";
    fs::path home = tmp.path() / "home";
    fs::path work = tmp.path() / "work";
    std::vector<LaunchCommand> started;

    void SetUp() override {
        fs::create_directories(bin);
        fs::create_directories(home);
        fs::create_directories(work);
        fs::create_directories(tmp.path() / "tmp");
    }

    LaunchEnvironment env(const std::string& desktop = "") const {
        LaunchEnvironment e;
        e.path = bin.string();
        e.currentDesktop = desktop;
        e.home = home.string();
        e.gameDirs = {};
        e.workingDirectory = work;
        e.executableDir = tmp.path() / "nowhere";
        e.tmpDir = tmp.path() / "tmp";
        return e;
    }

    Launcher recording(LaunchEnvironment e) {
        return Launcher(std::move(e), [this](const std::string& program, const std::vector<std::string>& args) {
            started.push_back({program, args});
            return true;
        });
    }
};

TEST_F(LaunchResolve, EveryCandidateOfEveryRowIsFoundWhenItIsTheOnlyOneInstalled) {
    // Each candidate alone on PATH, on its own desktop, with every
    // placeholder resolvable.
    fs::create_directories(tmp.path() / "doc");
    std::ofstream(tmp.path() / "doc" / "index.html") << "<html></html>";
    int n = 0;
    for (const auto& row : standIns()) {
        for (const auto& cand : row.candidates) {
            ASSERT_FALSE(cand.argv.empty()) << row.item;
            // A default application is no program of its own (tested below).
            if (cand.argv.front().starts_with(kDefaultApp)) continue;
            const fs::path dir = tmp.path() / ("path" + std::to_string(n++));
            const fs::path program = makeProgram(dir, cand.argv.front());
            LaunchEnvironment e = env(cand.desktop);
            e.path = dir.string();
            e.docDir = tmp.path() / "doc";
            started.clear();
            ASSERT_TRUE(recording(e).launch(item(row.item))) << row.item << " -> " << cand.argv.front();
            ASSERT_EQ(started.size(), 1u);
            EXPECT_EQ(started[0].program, program.string());
            // A settings page is passed after the arguments (the fake lists none).
            ASSERT_EQ(started[0].args.size(), cand.argv.size() - 1 + (cand.pageChoices.empty() ? 0 : 1)) << row.item;
            for (const auto& a : started[0].args)
                EXPECT_EQ(a.find('{'), std::string::npos) << a;
        }
    }
    EXPECT_GT(n, 80);
}

TEST_F(LaunchResolve, TheCurrentDesktopsOwnCandidateComesFirst) {
    makeProgram(bin, "gnome-control-center");
    makeProgram(bin, "kcmshell6");
    makeProgram(bin, "systemsettings");

    const LaunchCommand kde{(bin / "kcmshell6").string(), {"kcm_kscreen"}};
    const LaunchCommand gnome{(bin / "gnome-control-center").string(), {"display"}};
    EXPECT_EQ(Launcher(env("KDE")).resolve(kDeskCpl), kde);
    EXPECT_EQ(Launcher(env("kde")).resolve(kDeskCpl), kde);
    EXPECT_EQ(Launcher(env("GNOME")).resolve(kDeskCpl), gnome);
    EXPECT_EQ(Launcher(env("ubuntu:GNOME")).resolve(kDeskCpl), gnome);
    // A desktop with nothing of its own here takes the table's order.
    EXPECT_EQ(Launcher(env("XFCE")).resolve(kDeskCpl), gnome);

    // The full order on KDE: both KDE programs, then the other desktop's.
    const auto all = Launcher(env("KDE")).resolveAll(kDeskCpl);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].program, (bin / "systemsettings").string());
    EXPECT_EQ(all[2], gnome);
}

TEST_F(LaunchResolve, CandidatesForAnyDesktopComeBeforeOtherDesktopsOwn) {
    makeProgram(bin, "gedit");
    makeProgram(bin, "kate");
    makeProgram(bin, "xdg-open");
    const std::string logbook = (work / "kavrilon.ini").string();

    EXPECT_EQ(Launcher(env("KDE")).resolve(kNotepad), (LaunchCommand{(bin / "kate").string(), {logbook}}));
    EXPECT_EQ(Launcher(env("GNOME")).resolve(kNotepad), (LaunchCommand{(bin / "gedit").string(), {logbook}}));
    EXPECT_EQ(Launcher(env("XFCE")).resolve(kNotepad), (LaunchCommand{(bin / "xdg-open").string(), {logbook}}));
    EXPECT_EQ(Launcher(env("")).resolve(kNotepad), (LaunchCommand{(bin / "xdg-open").string(), {logbook}}));
}

TEST_F(LaunchResolve, WithoutAProgramFolderTheLogbookEditorStartsNothing) {
    makeProgram(bin, "xdg-open");
    LaunchEnvironment e = env();
    e.withoutWorkingDirectory = true;
    EXPECT_FALSE(recording(e).launch(kNotepad));
    EXPECT_TRUE(started.empty());
}

TEST_F(LaunchResolve, NothingInstalledOrAnUnknownLineStartsNothing) {
    makeProgram(bin, "something-else");
    // Look-alikes that are no programs: a file without execute permission and
    // a folder of the program's name.
    std::ofstream(bin / "pavucontrol") << "#!/bin/sh\n";
    fs::permissions(bin / "pavucontrol", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(bin / "xdg-open");

    auto launcher = recording(env("GNOME"));
    EXPECT_FALSE(launcher.launch(kVolume));
    EXPECT_FALSE(launcher.launch(kHelpPage));
    EXPECT_FALSE(launcher.launch({"calc", R"(C:\windows\system32\calc.exe)", 1}));
    // Items are taken by their exact names.
    makeProgram(bin, "sol");
    EXPECT_FALSE(launcher.launch({"SOL", kSol.commandLine, kSol.showCode}));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(launcher.resolve(kVolume), std::nullopt);
}

TEST_F(LaunchResolve, GamesAreAlsoFoundInTheGamesFolder) {
    const fs::path games = tmp.path() / "games";
    makeProgram(games, "sol");
    makeProgram(games, "pavucontrol");
    LaunchEnvironment e = env();
    e.gameDirs = {games};

    Launcher launcher = recording(e);
    EXPECT_EQ(launcher.resolve(kSol), (LaunchCommand{(games / "sol").string(), {}}));
    // Only games are looked for there.
    EXPECT_EQ(launcher.resolve(kVolume), std::nullopt);
    // A game on PATH is preferred to one in the games folder.
    makeProgram(bin, "sol");
    EXPECT_EQ(launcher.resolve(kSol), (LaunchCommand{(bin / "sol").string(), {}}));
}

TEST_F(LaunchResolve, WhenAStartFailsTheNextCandidateIsTried) {
    makeProgram(bin, "gnome-control-center");
    makeProgram(bin, "pavucontrol");
    std::vector<std::string> tried;
    Launcher launcher(env("GNOME"), [&](const std::string& program, const std::vector<std::string>&) {
        tried.push_back(fs::path(program).filename().string());
        return tried.size() > 1;
    });
    EXPECT_TRUE(launcher.launch(kVolume));
    EXPECT_EQ(tried, (std::vector<std::string>{"gnome-control-center", "pavucontrol"}));

    Launcher failing(env("GNOME"), [](const std::string&, const std::vector<std::string>&) { return false; });
    EXPECT_FALSE(failing.launch(kVolume));
}

TEST_F(LaunchResolve, HomeAndWorkingDirectoryAreFilledIn) {
    makeProgram(bin, "xdg-open");
    EXPECT_EQ(Launcher(env()).resolve(kExplorer), (LaunchCommand{(bin / "xdg-open").string(), {home.string()}}));
    EXPECT_EQ(Launcher(env()).resolve(kNotepad),
              (LaunchCommand{(bin / "xdg-open").string(), {(work / "kavrilon.ini").string()}}));

    LaunchEnvironment noHome = env();
    noHome.home.clear();
    EXPECT_EQ(Launcher(noHome).resolve(kExplorer), std::nullopt);
}

TEST_F(LaunchResolve, TheOwnPageIsLookedForInItsThreePlacesInOrder) {
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

    auto pageOf = [&](const LaunchItem& launched) {
        auto cmd = Launcher(e).resolve(launched);
        return cmd && cmd->args.size() == 1 ? cmd->args[0] : std::string("none");
    };
    const std::string variableUrl = "file://" + tmp.path().string() + "/my%20docs/index.html";
    EXPECT_EQ(pageOf(kHomepage), variableUrl);
    EXPECT_EQ(pageOf(kSearchPage), variableUrl);

    fs::remove_all(fromVariable);
    EXPECT_EQ(pageOf(kHomepage), "file://" + installed.string() + "/index.html");
    fs::remove_all(installed);
    EXPECT_EQ(pageOf(kHomepage), "file://" + buildTree.string() + "/index.html");
    fs::remove_all(buildTree);
    EXPECT_EQ(pageOf(kHomepage), "none");

    // Without the page the homepage item starts nothing at all.
    EXPECT_FALSE(recording(e).launch(kHomepage));
    EXPECT_TRUE(started.empty());
}

TEST_F(LaunchResolve, ARealDetachedStartPassesTheArguments) {
    const fs::path record = tmp.path() / "xdg-open.args";
    makeProgram(bin, "xdg-open", record);
    Launcher launcher(env()); // the real starter
    ASSERT_TRUE(launcher.launch(kHelpPage));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(fs::exists(record)) << "the fake program did not run";
    EXPECT_EQ(readAll(record), "https://support.microsoft.com/sv-SE/windows/help\n");
}

TEST_F(LaunchResolve, TheGnomePanelIsTheFirstNameTheInstalledVersionLists) {
    makeProgram(bin, "gnome-control-center");
    const LaunchItem& kSystem = item("sys");
    const struct {
        std::optional<std::string> list;
        std::vector<std::string> args;
    } cases[] = {
        {"Available panels:\n\tbackground\n\tinfo-overview\n\tsound\n", {"info-overview"}},
        {"Available panels:\n\tsystem\n\tinfo\n", {"system"}},
        {"Available panels:\n\tinfo\n", {"info"}},
        {"Available panels:\n\tsound\n", {}}, // none of the names: the overview
        {std::nullopt, {"system"}},           // no list: the newest name
    };
    for (const auto& c : cases) {
        int asked = 0;
        auto answers = std::make_shared<DesktopAnswers>([&](const std::string&, const std::vector<std::string>& args) {
            ++asked;
            EXPECT_EQ(args, std::vector<std::string>{"--list"});
            return c.list;
        });
        Launcher launcher(env("GNOME"), Launcher::startDetached, answers);
        EXPECT_EQ(launcher.resolve(kSystem), (LaunchCommand{(bin / "gnome-control-center").string(), c.args}));
        // Asked once, however often the panel is wanted.
        Launcher(env("GNOME"), Launcher::startDetached, answers).resolve(kSystem);
        EXPECT_EQ(asked, 1);
    }
}

TEST_F(LaunchResolve, ARelativePathEntryIsNeverSearched) {
    // The working directory holds an xdg-open of its own in every relative
    // place; only the absolute folder's program may be found.
    const fs::path before = fs::current_path();
    fs::current_path(work);
    makeProgram(work, "xdg-open");
    makeProgram(work / "bin", "xdg-open");
    for (const std::string path : {"", ".", "bin", "./bin", ":bin:"}) {
        LaunchEnvironment e = env();
        e.path = path;
        EXPECT_EQ(Launcher(e).resolve(kExplorer), std::nullopt) << "PATH=" << path;
        e.path = path + ":" + bin.string();
        makeProgram(bin, "xdg-open");
        EXPECT_EQ(Launcher(e).resolve(kExplorer), (LaunchCommand{(bin / "xdg-open").string(), {home.string()}}));
        fs::remove(bin / "xdg-open");
    }
    fs::current_path(before);
}

TEST_F(LaunchResolve, TheLogbookOpensInTheUsersDefaultTextEditorFirst) {
    makeProgram(bin, "xdg-mime");
    makeProgram(bin, "my-editor");
    makeProgram(bin, "gedit");
    const fs::path apps = tmp.path() / "applications";
    fs::create_directories(apps);
    const std::string logbook = (work / "kavrilon.ini").string();
    const LaunchCommand gedit{(bin / "gedit").string(), {logbook}};
    const struct {
        std::string entry;
        LaunchCommand expected;
    } cases[] = {
        {"[Desktop Entry]\nExec=my-editor --new %F\n", {(bin / "my-editor").string(), {"--new", logbook}}},
        {"[Desktop Entry]\nExec=\"" + (bin / "my-editor").string() + "\" %U\n",
         {(bin / "my-editor").string(), {"file://" + logbook}}},
        {"[Desktop Entry]\nExec=my-editor\n", {(bin / "my-editor").string(), {logbook}}},
        {"[Desktop Entry]\nExec=my-editor %f\nTerminal=true\n", gedit}, // needs a terminal
        {"[Desktop Entry]\nExec=not-installed %f\n", gedit},
        {"[Desktop Action New]\nExec=my-editor %f\n", gedit}, // no main group
    };
    for (const auto& c : cases) {
        std::ofstream(apps / "editor.desktop") << c.entry;
        auto answers = std::make_shared<DesktopAnswers>(
            [](const std::string&, const std::vector<std::string>&) { return std::string("editor.desktop\n"); });
        LaunchEnvironment e = env("GNOME");
        e.applicationDirs = {tmp.path() / "nowhere", apps};
        EXPECT_EQ(Launcher(e, Launcher::startDetached, answers).resolve(kNotepad), c.expected) << c.entry;
    }
}

// The page goes where nobody else can swap it before the browser reads it:
// the runtime folder when it is the user's own, of mode 0700, or else a
// private folder of the user's in the temporary folder.
TEST_F(LaunchResolve, WithoutAnInstalledPageTheBuiltInPageIsWrittenToAPrivateFolder) {
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
        EXPECT_EQ(Launcher(e).resolve(kHomepage),
                  (LaunchCommand{(bin / "xdg-open").string(), {"file://" + page.string()}}));
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
