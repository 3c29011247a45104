// Where the logbook lives: beside a writable executable, else in the user's
// data folder, never in a system folder.
#include "platform/qt/ProgramFolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kav::qt {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, WritableExecutableFolderKeepsTheLogbook) {
    test::TempDir dir;
    ProgramFolderInputs in{dir.path(), (dir.path() / "data").string(), (dir.path() / "home").string()};
    EXPECT_EQ(chooseProgramFolder(in), dir.path());
    EXPECT_FALSE(fs::exists(dir.path() / "data")); // nothing made elsewhere
}

// Root may write any folder, so the choice is made as a user without
// privileges, to whom the temporary folder belongs.
TEST(ProgramFolder, InstalledCopyUsesXdgDataHomeAndCreatesIt) {
    test::TempDir dir;
    test::Unprivileged user;
    user.own(dir.path());
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
    ProgramFolderInputs in{bin, (dir.path() / "xdg").string(), (dir.path() / "home").string()};
    EXPECT_EQ(user.run([&] { return chooseProgramFolder(in) == dir.path() / "xdg" / "kavrilon" ? 0 : 1; }), 0);
    EXPECT_TRUE(fs::is_directory(dir.path() / "xdg" / "kavrilon"));
}

TEST(ProgramFolder, SystemFolderFallsBackToTheHomeDataFolder) {
    // /proc/self is never writable, whoever runs the test; a relative
    // XDG_DATA_HOME is invalid by the base directory rules and is ignored.
    test::TempDir dir;
    ProgramFolderInputs in{"/proc/self", "relative/path", (dir.path() / "home").string()};
    const fs::path chosen = chooseProgramFolder(in);
    EXPECT_EQ(chosen, dir.path() / "home" / ".local" / "share" / "kavrilon");
    EXPECT_TRUE(fs::is_directory(chosen));
}

TEST(ProgramFolder, NoHomeAndNoWritableFolderGivesNothing) {
    ProgramFolderInputs in{"/proc/self", "", ""};
    EXPECT_TRUE(chooseProgramFolder(in).empty());
}

} // namespace
} // namespace kav::qt
