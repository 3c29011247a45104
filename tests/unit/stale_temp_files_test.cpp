// Only the temporary files of this program's saves whose process is gone,
// regular files of the running user, are removed at start.
#include "logbook/StaleTempFiles.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kav::logbook {
namespace {

namespace fs = std::filesystem;

// A process that has ended and been reaped, and one that runs: this test's parent.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
const pid_t kDead = endedProcess();
const pid_t kLive = ::getppid();

TEST(StaleTempFiles, RemovesOnlyDeadSavesOfTheUser) {
    enum Kind { File, Link, Folder };
    struct Case {
        std::string name;
        Kind kind;
        bool removed;
    };
    const std::string dead = std::to_string(kDead), live = std::to_string(kLive);
    const std::string self = std::to_string(::getpid());
    const Case cases[] = {
        {".kavrilon.ini." + dead + "-0-00000000deadbeef.tmp", File, true},
        {".kavrilon.ini." + self + "-3-0123456789abcdef.tmp", File, true}, // an earlier process with this id
        {".kavrilon.ini." + live + "-0-00000000deadbeef.tmp", File, false},
        {".kavrilon.ini." + dead + "-1-00000000deadbeef.tmp", Link, false},
        {".kavrilon.ini." + dead + "-2-00000000deadbeef.tmp", Folder, false},
        {".kavrilon.ini." + dead + "-backup.tmp", File, false},
        {"kavrilon.ini", File, false},
    };
    test::TempDir dir;
    std::ofstream(dir.path() / "target").put('x');
    for (const Case& c : cases) {
        const fs::path p = dir.path() / c.name;
        if (c.kind == File) std::ofstream(p) << "half a save";
        if (c.kind == Link) fs::create_symlink(dir.path() / "target", p);
        if (c.kind == Folder) fs::create_directory(p);
    }
    StaleTempSweep sweep{dir.path().string(), "kavrilon.ini", ::geteuid()};
    EXPECT_EQ(removeStaleTempFiles(sweep), 2);
    for (const Case& c : cases)
        EXPECT_EQ(!fs::exists(fs::symlink_status(dir.path() / c.name)), c.removed) << c.name;
}

// Only the exact form the writer gives its temporary files counts; every
// name here but the first is kept, whatever process it seems to name.
TEST(StaleTempFiles, TakesOnlyTheWritersExactNames) {
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {".kavrilon.ini.4242-0-00000000deadbeef.tmp", true},
        {".kavrilon.ini.4242-4294967295-0123456789abcdef.tmp", true},
        {".kavrilon.ini.999994-backup.tmp", false},
        {".kavrilon.ini.4242-0-00000000deadbeef-mine.tmp", false},
        {".kavrilon.ini.4242-0-00000000DEADBEEF.tmp", false},
        {".kavrilon.ini.4242-0-0000000deadbeef.tmp", false},
        {".kavrilon.ini.4242-0-000000000deadbeef.tmp", false},
        {".kavrilon.ini.4242-x-00000000deadbeef.tmp", false},
        {".kavrilon.ini.4242--00000000deadbeef.tmp", false},
        {".kavrilon.ini.4242-4294967296-00000000deadbeef.tmp", false},
        {".kavrilon.ini.04242-0-00000000deadbeef.tmp", false},
        {".kavrilon.ini.4242-00-00000000deadbeef.tmp", false},
        {".kavrilon.ini.0-0-00000000deadbeef.tmp", false},
        {".kavrilon.ini.+4242-0-00000000deadbeef.tmp", false},
        {".kavrilon.ini.12345678-0-00000000deadbeef.tmp", false},
        {".kavrilon.ini.4242-0-00000000deadbeef.tmp~", false},
        {"kavrilon.ini.4242-0-00000000deadbeef.tmp", false},
        {".other.ini.4242-0-00000000deadbeef.tmp", false},
        {".kavrilon.ini.4242.tmp", false},
    };
    for (const auto& c : cases) {
        pid_t pid = 0;
        EXPECT_EQ(parseTempName(c.name, "kavrilon.ini", pid), c.taken) << c.name;
        if (c.taken) {
            EXPECT_EQ(pid, 4242) << c.name;
        }
    }
}

TEST(StaleTempFiles, KeepsAnotherUsersFiles) {
    test::TempDir dir;
    const fs::path p = dir.path() / (".kavrilon.ini." + std::to_string(kDead) + "-0-00000000deadbeef.tmp");
    std::ofstream(p) << "half a save";
    StaleTempSweep sweep{dir.path().string(), "kavrilon.ini", ::geteuid() + 1};
    EXPECT_EQ(removeStaleTempFiles(sweep), 0);
    EXPECT_TRUE(fs::exists(p));
}

} // namespace
} // namespace kav::logbook
