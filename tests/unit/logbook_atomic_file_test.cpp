// The file service under the logbook: whole-file reading and the atomic
// replacement, called directly on a temporary folder. Failures that need a
// kill or a file size limit run in a forked child, so the test process itself
// is never limited or killed.
#include "logbook/AtomicFile.h"
#include "logbook/StaleTempFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using kav::logbook::writeFileAtomic;
using Names = std::vector<std::string>;

// The bytes the reader gives, or nothing when it reads no file.
std::optional<std::string> readWholeFile(const std::string& path) {
    logbook::ReadResult r = logbook::readFile(path);
    if (r.outcome != logbook::ReadResult::Outcome::Read) return std::nullopt;
    return std::move(r.bytes);
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

// Sets the umask for one scope.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t old_;
};

// Logbook-like content of a given size, its lines marked with `mark`.
std::string logbookOf(char mark, std::size_t size) {
    std::string bytes;
    while (bytes.size() < size)
        bytes += std::string(68, mark) + "\r\n";
    return bytes;
}

TEST(AtomicFile, CreatesANewFileWithTheDefaultModeLessTheUmask) {
    TempDir dir;
    const fs::path target = dir.path() / "kavrilon.ini";
    {
        Umask mask(027);
        ASSERT_TRUE(writeFileAtomic(target.string(), "FF8000\r\n"));
    }
    EXPECT_EQ(readBytes(target), "FF8000\r\n");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
}

TEST(AtomicFile, ReplacingKeepsTheOldFilesPermissionBits) {
    TempDir dir;
    const fs::path target = dir.path() / "kavrilon.ini";
    Umask mask(022);
    for (mode_t mode : {0600u, 0664u, 0640u}) {
        SCOPED_TRACE(mode);
        writeBytes(target, "old\r\n");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(writeFileAtomic(target.string(), "new\r\n"));
        EXPECT_EQ(readBytes(target), "new\r\n");
        EXPECT_EQ(modeOf(target), mode);
        ::chmod(target.c_str(), 0600);
    }
    EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
}

// A group made for the test (as root), or one the user running it is in.
class SharedGroup {
public:
    SharedGroup() {
        if (::geteuid() != 0) {
            std::vector<gid_t> mine(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
            mine.resize(static_cast<std::size_t>(std::max(0, ::getgroups(static_cast<int>(mine.size()), mine.data()))));
            for (const gid_t g : mine)
                if (g != ::getegid()) gid_ = g;
            return;
        }
        name_ = "kavg" + std::to_string(::getpid());
        if (std::system(("/usr/sbin/groupadd --system " + name_).c_str()) != 0) return;
        if (const group* g = ::getgrnam(name_.c_str())) gid_ = g->gr_gid;
    }
    ~SharedGroup() {
        if (!name_.empty()) static_cast<void>(std::system(("/usr/sbin/groupdel " + name_).c_str()));
    }
    SharedGroup(const SharedGroup&) = delete;
    SharedGroup& operator=(const SharedGroup&) = delete;
    std::optional<gid_t> gid() const { return gid_; }

private:
    std::string name_;
    std::optional<gid_t> gid_;
};

gid_t groupOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_gid : static_cast<gid_t>(-1);
}

// A member of the file's group keeps it; anyone else still saves, and the
// file takes the user's own group as a new file would.
TEST(AtomicFile, ReplacingKeepsTheGroupOfASharedFileForItsMembers) {
    TempDir dir;
    const Unprivileged user;
    const SharedGroup shared;
    if (!shared.gid()) GTEST_SKIP() << "the user running the tests is in no second group";
    const fs::path target = dir.path() / "kavrilon.ini";
    user.own(dir.path());
    for (const bool member : {true, false}) {
        if (!member && !user.created()) continue; // the user running the tests cannot leave the group
        SCOPED_TRACE(member ? "a member" : "not a member");
        writeBytes(target, "old\r\n");
        user.own(target);
        ASSERT_EQ(::chown(target.c_str(), static_cast<uid_t>(-1), *shared.gid()), 0);
        ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        const std::vector<gid_t> groups = member ? std::vector{*shared.gid()} : std::vector<gid_t>{};
        EXPECT_EQ(user.run([&] { return writeFileAtomic(target.string(), "new\r\n") ? 0 : 1; }, groups), 0);
        EXPECT_EQ(readBytes(target), "new\r\n");
        EXPECT_EQ(groupOf(target), member ? *shared.gid() : user.gid());
        EXPECT_EQ(modeOf(target), 0640u);
    }
}

TEST(AtomicFile, FolderOrDanglingLinkAtThePathFailsWithoutTouchingAnything) {
    TempDir dir;
    const fs::path target = dir.path() / "kavrilon.ini";
    {
        SCOPED_TRACE("folder");
        fs::create_directory(target);
        writeBytes(target / "inside", "kept");
        EXPECT_FALSE(writeFileAtomic(target.string(), "new\r\n"));
        EXPECT_TRUE(fs::is_directory(target));
        EXPECT_EQ(readBytes(target / "inside"), "kept");
        EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
        fs::remove_all(target);
    }
    {
        SCOPED_TRACE("dangling link");
        const fs::path nowhere = dir.path() / "nowhere.ini";
        fs::create_symlink(nowhere, target);
        EXPECT_FALSE(writeFileAtomic(target.string(), "new\r\n"));
        EXPECT_TRUE(fs::is_symlink(target));
        EXPECT_EQ(fs::read_symlink(target), nowhere);
        EXPECT_FALSE(fs::exists(nowhere));
        EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
        fs::remove(target);
    }
    {
        SCOPED_TRACE("link to a file elsewhere: the file is replaced, the link stays");
        const fs::path elsewhere = dir.path() / "elsewhere.ini";
        writeBytes(elsewhere, "theirs\r\n");
        fs::create_symlink(elsewhere, target);
        EXPECT_TRUE(writeFileAtomic(target.string(), "new\r\n"));
        EXPECT_TRUE(fs::is_symlink(target));
        EXPECT_EQ(fs::read_symlink(target), elsewhere);
        EXPECT_EQ(readBytes(elsewhere), "new\r\n");
        EXPECT_EQ(folderNames(dir.path()), (Names{"elsewhere.ini", "kavrilon.ini"}));
        fs::remove(target);
    }
    {
        SCOPED_TRACE("link to a folder");
        const fs::path sub = dir.path() / "sub";
        fs::create_directory(sub);
        fs::create_symlink(sub, target);
        EXPECT_FALSE(writeFileAtomic(target.string(), "new\r\n"));
        EXPECT_TRUE(fs::is_symlink(target));
        EXPECT_TRUE(fs::is_empty(sub));
        fs::remove(target);
        fs::remove(sub);
    }
    {
        SCOPED_TRACE("missing folder");
        EXPECT_FALSE(writeFileAtomic((dir.path() / "missing" / "kavrilon.ini").string(), "new\r\n"));
        EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    }
}

// The superuser writes into read-only folders, so the save runs as a user
// without privileges, whose own file and folder it is.
TEST(AtomicFile, ReadOnlyFolderLosesNothing) {
    TempDir dir;
    Unprivileged user;
    const fs::path target = dir.path() / "kavrilon.ini";
    writeBytes(target, "old\r\n");
    user.own(target);
    user.own(dir.path());
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(user.run([&] { return writeFileAtomic(target.string(), "new\r\n") ? 1 : 0; }), 0);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(readBytes(target), "old\r\n");
    EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
}

// A write that stops part way, as on a full disk: a child process saves under
// a file size limit, which holds for the superuser as well.
TEST(AtomicFile, WriteThatFailsPartWayLeavesTheOldFileWholeAndNoTemporaryFile) {
    TempDir dir;
    const fs::path target = dir.path() / "kavrilon.ini";
    const std::string oldBytes = logbookOf('o', 2000);
    writeBytes(target, oldBytes);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // make the limit an error, not a kill
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        const bool saved = writeFileAtomic(target.string(), logbookOf('n', 1 << 20));
        ::_exit(saved ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success (1) or the limit was not set (3)";
    EXPECT_EQ(readBytes(target), oldBytes);
    EXPECT_EQ(folderNames(dir.path()), (Names{"kavrilon.ini"}));
}

// A child saves the old and the new content in turn, as fast as it can, and
// is killed at random moments. Whenever it dies, the file holds one of the
// two whole. A killed child may leave its temporary file behind (it cannot
// clean up after SIGKILL); such files are hidden, and later saves work.
TEST(AtomicFile, SaverKilledAtRandomMomentsLeavesOldOrNewFileWhole) {
    TempDir dir;
    const fs::path target = dir.path() / "kavrilon.ini";
    const std::string oldBytes = logbookOf('o', 150 * 1024);
    const std::string newBytes = logbookOf('n', 250 * 1024);
    ASSERT_TRUE(writeFileAtomic(target.string(), oldBytes));

    std::mt19937 rng(4711);
    std::vector<pid_t> savers;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int rounds = 0;
    while (rounds < 400 && std::chrono::steady_clock::now() < deadline) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i)
                writeFileAtomic(target.string(), i % 2 ? oldBytes : newBytes);
        }
        savers.push_back(child);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 15000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ++rounds;

        const auto now = readWholeFile(target.string());
        ASSERT_TRUE(now) << "round " << rounds;
        ASSERT_TRUE(*now == oldBytes || *now == newBytes) << "round " << rounds << ": " << now->size() << " bytes";
    }
    EXPECT_GT(rounds, 10);

    // A leftover is named ".kavrilon.ini.<pid>-...tmp" after the process that
    // wrote it, so a later start can tell that its writer is gone.
    for (const std::string& name : folderNames(dir.path())) {
        if (name == "kavrilon.ini") continue;
        const std::string prefix = ".kavrilon.ini.";
        ASSERT_EQ(name.rfind(prefix, 0), 0u) << name;
        const std::string pid = name.substr(prefix.size(), name.find('-') - prefix.size());
        EXPECT_NE(std::find(savers.begin(), savers.end(), std::stoi(pid)), savers.end()) << name;
        EXPECT_EQ(name.substr(name.size() - 4), ".tmp") << name;
    }
    // The next start removes what the killed savers left.
    kav::logbook::removeStaleTempFiles({dir.path().string(), "kavrilon.ini", ::geteuid()});
    EXPECT_EQ(folderNames(dir.path()), Names{"kavrilon.ini"});
    EXPECT_TRUE(writeFileAtomic(target.string(), "final\r\n"));
    EXPECT_EQ(readWholeFile(target.string()), "final\r\n");
}

TEST(ReadWholeFile, ReadsRegularFilesAndRefusesEverythingElse) {
    TempDir dir;
    const fs::path file = dir.path() / "kavrilon.ini";
    const std::string big = logbookOf('b', 3u << 20) + std::string("\0\xFF", 2);
    writeBytes(file, big);
    EXPECT_EQ(readWholeFile(file.string()), big);

    writeBytes(dir.path() / "empty.ini", "");
    EXPECT_EQ(readWholeFile((dir.path() / "empty.ini").string()), "");

    fs::create_symlink(file, dir.path() / "link.ini");
    EXPECT_EQ(readWholeFile((dir.path() / "link.ini").string()), big);

    EXPECT_EQ(readWholeFile((dir.path() / "missing.ini").string()), std::nullopt);
    EXPECT_EQ(readWholeFile(dir.path().string()), std::nullopt);
    fs::create_symlink(dir.path() / "missing.ini", dir.path() / "dangling.ini");
    EXPECT_EQ(readWholeFile((dir.path() / "dangling.ini").string()), std::nullopt);

    // A pipe with no writer would block an ordinary open for ever.
    const fs::path fifo = dir.path() / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(fifo.string()), std::nullopt);
}

} // namespace
} // namespace kav::test
