// What the logbook's reader, writer and guard refuse to do: read past their
// limit or block on a pipe, follow a link that is not the user's, replace a
// file of someone else's, a read-only file or a file other than the one
// loaded, and save over a logbook that could not be read. The checks run as
// an unprivileged user; the files of "someone else" are made by the test
// process, which is root in CI. Every case checks the file's bytes, mode and
// owner afterwards, and that no temporary file was left.
#include "logbook/AtomicFile.h"
#include "logbook/LogbookFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>


#include <sys/stat.h>
#include <unistd.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using logbook::ReadResult;

struct FileState {
    std::optional<std::string> bytes;
    mode_t mode = 0;
    uid_t owner = 0;
    bool operator==(const FileState&) const = default;
};

void PrintTo(const FileState& s, std::ostream* os) {
    *os << (s.bytes ? '"' + *s.bytes + '"' : "(unreadable)") << " mode " << std::oct << s.mode << std::dec << " owner "
        << s.owner;
}

class FileSafety : public ::testing::Test {
protected:
    TempDir dir;
    Unprivileged user;
    const fs::path folder = dir.path() / "prog";
    const fs::path path = folder / "kavrilon.ini";
    const fs::path elsewhere = folder / "elsewhere.ini";

    void SetUp() override {
        fs::create_directory(folder);
        ::chmod(dir.path().c_str(), 0755);
        user.own(folder);
    }

    // A file or a link at `p`, belonging to the test's user or to the process.
    void file(const fs::path& p, const std::string& bytes, mode_t mode, bool users) {
        writeBytes(p, bytes);
        ::chmod(p.c_str(), mode);
        if (users) user.own(p);
    }
    void link(const fs::path& p, const fs::path& to, bool users) {
        fs::create_symlink(to, p);
        if (users) user.own(p);
    }

    static FileState stateOf(const fs::path& p) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) return {};
        // A pipe is not opened and a huge file is known by its size.
        std::optional<std::string> bytes;
        if (S_ISREG(st.st_mode)) bytes = st.st_size <= (1 << 20) ? readBytes(p) : std::to_string(st.st_size) + " bytes";
        return {bytes, st.st_mode & 07777, st.st_uid};
    }
};

using Make = std::function<void()>;

bool saveBytes(logbook::LogbookFile& file, const fs::path& path, std::string_view bytes) {
    return file.save(path.string(), std::span<const std::string_view>(&bytes, 1));
}

TEST_F(FileSafety, ReaderRefusesWhatItCannotOrMayNotRead) {
    struct Case {
        const char* what;
        Make make;
        std::size_t limit;
        ReadResult::Outcome outcome;
        bool needsAnotherUser = false;
    };
    const std::size_t big = logbook::kMaxReadBytes;
    const std::vector<Case> cases = {
        {"a file of the user's", [&] { file(path, "FF8000\r\n", 0644, true); }, big, ReadResult::Outcome::Read},
        {"no file", [] {}, big, ReadResult::Outcome::Missing},
        {"mode 000", [&] { file(path, "secret\r\n", 0, true); }, big, ReadResult::Outcome::Refused},
        {"one byte over the limit", [&] { file(path, std::string(17, 'x'), 0644, true); }, 16,
         ReadResult::Outcome::Refused},
        {"exactly the limit", [&] { file(path, std::string(16, 'x'), 0644, true); }, 16, ReadResult::Outcome::Read},
        {"sparse 100 GiB",
         [&] {
             file(path, "", 0644, true);
             fs::resize_file(path, std::uintmax_t{100} << 30);
         },
         big, ReadResult::Outcome::Refused},
        {"a pipe",
         [&] {
             ::mkfifo(path.c_str(), 0666);
             user.own(path);
         },
         big, ReadResult::Outcome::Refused},
        {"the user's link to the user's file",
         [&] {
             file(elsewhere, "theirs\r\n", 0644, true);
             link(path, elsewhere, true);
         },
         big, ReadResult::Outcome::Read},
        {"someone else's link",
         [&] {
             file(elsewhere, "x\r\n", 0644, true);
             link(path, elsewhere, false);
         },
         big, ReadResult::Outcome::Refused, true},
        {"the user's link to someone else's file",
         [&] {
             file(elsewhere, "x\r\n", 0644, false);
             link(path, elsewhere, true);
         },
         big, ReadResult::Outcome::Refused, true},
    };
    for (const Case& c : cases) {
        if (c.needsAnotherUser && !user.created()) continue;
        SCOPED_TRACE(c.what);
        c.make();
        const FileState before = stateOf(path);
        const int outcome = user.run([&] { return static_cast<int>(logbook::readFile(path.string(), c.limit).outcome); });
        EXPECT_EQ(outcome, static_cast<int>(c.outcome));
        EXPECT_EQ(stateOf(path), before);
        fs::remove(path);
        fs::remove(elsewhere);
    }
}

TEST_F(FileSafety, WriterLeavesAloneWhatItMayNotReplace) {
    struct Case {
        const char* what;
        Make make;
        bool replaced;
        bool needsAnotherUser = false;
    };
    const std::vector<Case> cases = {
        {"a file of the user's", [&] { file(path, "old\r\n", 0640, true); }, true},
        {"the user's link to the user's file",
         [&] {
             file(elsewhere, "old\r\n", 0640, true);
             link(path, elsewhere, true);
         },
         true},
        {"a file the user made read-only", [&] { file(path, "old\r\n", 0444, true); }, false},
        {"someone else's file, writable to all", [&] { file(path, "old\r\n", 0666, false); }, false, true},
        {"someone else's link to the user's file",
         [&] {
             file(elsewhere, "old\r\n", 0640, true);
             link(path, elsewhere, false);
         },
         false, true},
        {"the user's link to someone else's file",
         [&] {
             file(elsewhere, "old\r\n", 0666, false);
             link(path, elsewhere, true);
         },
         false, true},
    };
    for (const Case& c : cases) {
        if (c.needsAnotherUser && !user.created()) continue;
        SCOPED_TRACE(c.what);
        c.make();
        const fs::path target = fs::is_symlink(path) ? elsewhere : path;
        const FileState before = stateOf(target);
        const std::vector<std::string> names = folderNames(folder);
        const int saved = user.run([&] { return logbook::writeFileAtomic(path.string(), "new\r\n") ? 1 : 0; });
        EXPECT_EQ(saved, c.replaced ? 1 : 0);
        const FileState after = stateOf(target);
        const FileState replaced{"new\r\n", before.mode, user.uid()};
        EXPECT_EQ(after, c.replaced ? replaced : before);
        EXPECT_TRUE(fs::is_symlink(path) == (target != path));
        EXPECT_EQ(folderNames(folder), names);
        fs::remove(path);
        fs::remove(elsewhere);
    }
}

// Run by root in a folder another user can write, a link that user put in the
// logbook's place never leads a load or a save to a file of root's.
TEST_F(FileSafety, RootIsNotLedByAnotherUsersLink) {
    if (!user.created()) GTEST_SKIP() << "a run without privileges has no second user to plant the link";
    const fs::path secret = dir.path() / "secret";
    file(secret, "root only\n", 0600, false);
    link(path, secret, true);
    const FileState before = stateOf(secret);
    logbook::LogbookFile logbook;
    EXPECT_EQ(logbook.load(path.string()), std::nullopt);
    EXPECT_FALSE(saveBytes(logbook, path, "lines\r\n"));
    EXPECT_FALSE(logbook::writeFileAtomic(path.string(), "lines\r\n"));
    EXPECT_EQ(stateOf(secret), before);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(folderNames(folder), std::vector<std::string>{"kavrilon.ini"});
}

TEST_F(FileSafety, LogbookThatCouldNotBeReadIsNeverSavedOver) {
    struct Case {
        const char* what;
        mode_t mode;
        std::size_t limit;
    };
    for (const Case& c : {Case{"mode 000", 0, logbook::kMaxReadBytes}, Case{"larger than the limit", 0644, 4}}) {
        SCOPED_TRACE(c.what);
        file(path, "years of lines\r\n", c.mode, true);
        const FileState before = stateOf(path);
        const int result = user.run([&] {
            logbook::LogbookFile logbook(c.limit);
            if (logbook.load(path.string())) return 1;
            return saveBytes(logbook, path, "welcome\r\n") || saveBytes(logbook, path, "exit\r\n") ? 2 : 0;
        });
        EXPECT_EQ(result, 0) << "1: it was read, 2: it was saved over";
        EXPECT_EQ(stateOf(path), before);
        EXPECT_EQ(folderNames(folder), std::vector<std::string>{"kavrilon.ini"});
        fs::remove(path);
    }
}

TEST_F(FileSafety, LogbookReplacesOnlyTheFileItLoadedOrSaved) {
    // In a folder of the process's own: in another user's folder no logbook
    // is ever saved.
    const fs::path own = dir.path() / "kavrilon.ini";
    const fs::path ownElsewhere = dir.path() / "elsewhere.ini";
    logbook::LogbookFile logbook;
    file(own, "mine\r\n", 0644, false);
    ASSERT_EQ(logbook.load(own.string()), "mine\r\n");

    // Another file put in its place since the load is left alone.
    file(ownElsewhere, "another\r\n", 0644, false);
    fs::rename(ownElsewhere, own);
    EXPECT_FALSE(saveBytes(logbook, own, "saved\r\n"));
    EXPECT_EQ(readBytes(own), "another\r\n");

    // A deleted logbook comes back with the next save, and the file saved is
    // the one the saves after it replace.
    fs::remove(own);
    EXPECT_TRUE(saveBytes(logbook, own, "again\r\n"));
    EXPECT_TRUE(saveBytes(logbook, own, "and again\r\n"));
    EXPECT_EQ(stateOf(own), (FileState{"and again\r\n", 0644, ::geteuid()}));
    EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"kavrilon.ini", "prog"}));
}

} // namespace
} // namespace kav::test
