// Where the logbook lives: beside the executable of a build or unpacked
// folder, in the user's data folder for an installed copy, decided by the
// layout alone; and a folder that cannot be made or entered is no folder.
#include "platform/posix/ProgramFolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p).put('x');
}

// A copy of the program laid out under a temporary folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    fs::path copyAt(const std::string& exe, bool withDesktopEntry) {
        const fs::path path = dir_.path() / exe;
        touch(path);
        if (withDesktopEntry)
            touch(path.parent_path().parent_path() / "share/applications/io.github.kavrilon.Kavrilon.desktop");
        return path;
    }
    fs::path at(const std::string& rel) const { return rel.empty() ? fs::path() : dir_.path() / rel; }
    test::TempDir dir_;
};

TEST_F(ProgramFolderTest, LayoutDecidesTheFolder) {
    struct Case {
        const char* what;
        const char* exe;
        bool desktopEntry;
        const char* xdg;      // relative to the temporary folder; "" unset, "~rel" a relative value
        const char* home;     // likewise
        const char* pwdHome;  // the password database's home
        const char* expected; // "" for no folder
    };
    const Case cases[] = {
        {"build folder", "build/app/kavrilon", false, "xdg", "home", "pw", "build/app"},
        {"unpacked folder", "kavrilon-1.0/kavrilon", false, "xdg", "home", "pw", "kavrilon-1.0"},
        {"a bin folder without the program's share", "opt/bin/kavrilon", false, "xdg", "home", "pw", "opt/bin"},
        {"~/.local install, XDG_DATA_HOME set", "home/.local/bin/kavrilon", true, "xdg", "home", "pw", "xdg/kavrilon"},
        {"~/.local install, no XDG_DATA_HOME", "home/.local/bin/kavrilon", true, "", "home", "pw",
         "home/.local/share/kavrilon"},
        {"/usr install", "usr/bin/kavrilon", true, "", "home", "pw", "home/.local/share/kavrilon"},
        {"/usr install, relative XDG_DATA_HOME ignored", "usr/bin/kavrilon", true, "~rel", "home", "pw",
         "home/.local/share/kavrilon"},
        {"/usr install, HOME unset", "usr/bin/kavrilon", true, "", "", "pw", "pw/.local/share/kavrilon"},
        {"/usr install, HOME relative", "usr/bin/kavrilon", true, "", "~rel", "pw", "pw/.local/share/kavrilon"},
        {"/usr install, no home at all", "usr/bin/kavrilon", true, "", "", "", ""},
        {"unpacked folder, no home at all", "kavrilon-1.0/kavrilon", false, "", "", "", "kavrilon-1.0"},
    };
    auto value = [&](const char* v) -> std::string {
        if (v[0] == '~') return v + 1;
        return at(v).string();
    };
    // The rule is the same for root and for a user without privileges.
    test::Unprivileged user;
    user.own(dir_.path());
    for (const Case& c : cases) {
        ProgramFolderInputs in;
        in.executable = copyAt(c.exe, c.desktopEntry);
        in.xdgDataHome = value(c.xdg);
        in.home = value(c.home);
        const std::string pw = value(c.pwdHome);
        in.passwordHome = [pw] { return pw; };
        const fs::path expected = at(c.expected);
        EXPECT_EQ(chooseProgramFolder(in), expected) << c.what;
        EXPECT_EQ(user.run([&] { return chooseProgramFolder(in) == expected ? 0 : 1; }), 0) << c.what << ", as a user";
        fs::remove_all(dir_.path() / fs::path(c.exe).begin()->string());
    }
}

TEST_F(ProgramFolderTest, FolderNameNeedNotBeUtf8) {
    ProgramFolderInputs in;
    in.executable = copyAt("bin\xff\xfe/kavrilon", false);
    EXPECT_EQ(chooseProgramFolder(in).native(), (dir_.path() / "bin\xff\xfe").native());
}

TEST_F(ProgramFolderTest, EnteringMakesMissingLevelsPrivate) {
    const fs::path folder = dir_.path() / "data" / "kavrilon";
    const fs::path before = fs::current_path();
    ASSERT_TRUE(enterProgramFolder(folder));
    EXPECT_EQ(fs::current_path(), folder);
    fs::current_path(before);
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(ProgramFolderTest, FolderUnderAFileIsNoFolder) {
    touch(dir_.path() / "xdg-is-a-file");
    const fs::path before = fs::current_path();
    EXPECT_FALSE(enterProgramFolder(dir_.path() / "xdg-is-a-file" / "kavrilon"));
    EXPECT_FALSE(enterProgramFolder({}));
    EXPECT_EQ(fs::current_path(), before);
}

TEST(ProgramFolder, PasswordDatabaseKnowsTheHomeOfRoot) { EXPECT_EQ(homeFromPasswordDatabase(0), "/root"); }

} // namespace
} // namespace kav::posix
