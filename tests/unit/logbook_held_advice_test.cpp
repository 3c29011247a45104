// The notice that the logbook is not saved names the file or folder in the
// way and the one action that mends it; and the command it gives does mend
// it. Each case is made in a temporary folder, looked at by a session of an
// unprivileged user, its command run (by root where it begins with sudo,
// else as the user), and looked at again.
#include "logbook/HeldLogbook.h"
#include "logbook/LogbookFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using logbook::LogbookFile;
using Hold = LogbookFile::Hold;

struct HeldNotice : ::testing::Test {
    TempDir dir;
    Unprivileged user;
    const fs::path folder = dir.path() / "prog";
    const fs::path path = folder / "kavrilon.ini";
    const fs::path lock = folder / logbook::kLockName;

    void SetUp() override {
        fs::create_directory(folder);
        ::chmod(dir.path().c_str(), 0755);
        user.own(folder);
    }

    // What a session of the user finds, as its start and first save would:
    // whether saves are held, and the notice. `otherCopy` is a start that
    // could not take the folder's lock.
    struct Look {
        bool held = false;
        std::string notice, command;
    };
    Look lookAsUser(bool otherCopy, std::size_t limit, const fs::path& at = {}) const {
        int fds[2];
        if (::pipe(fds) != 0) return {};
        const std::string p = (at.empty() ? path : at).string();
        const int status = user.run([&] {
            LogbookFile file(limit);
            if (otherCopy) file.holdSaves(Hold::OtherCopy);
            file.load(p);
            const bool held = file.check(p) == logbook::FileChange::Held;
            const std::string out = std::string(held ? "1" : "0") + '\0' + logbook::heldNotice(file.hold(), p) + '\0' +
                                    logbook::adviceFor(file.hold(), p).command;
            return ::write(fds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size()) ? 0 : 1;
        });
        ::close(fds[1]);
        std::string got(1 << 16, '\0');
        const ssize_t n = ::read(fds[0], got.data(), got.size());
        ::close(fds[0]);
        if (status != 0 || n <= 0) return {};
        got.resize(static_cast<std::size_t>(n));
        const std::size_t a = got.find('\0'), b = got.find('\0', a + 1);
        return {got.substr(0, a) == "1", got.substr(a + 1, b - a - 1), got.substr(b + 1)};
    }

    // Runs the notice's command: by root when it begins with sudo.
    int run(const std::string& command) const {
        if (command.rfind("sudo ", 0) == 0) return std::system(command.substr(5).c_str());
        return user.run([&] { return std::system(command.c_str()) == 0 ? 0 : 1; });
    }
};

TEST_F(HeldNotice, NamesThePathAndItsCommandMendsIt) {
    const struct {
        const char* what;
        bool needsRoot;
        std::function<void(HeldNotice&)> make;
        bool otherCopy = false;
        std::size_t limit = logbook::kMaxReadBytes;
    } cases[] = {
        {"someone else's logbook", true,
         [](HeldNotice& t) { writeBytes(t.path, "rad\r\n"), ::chmod(t.path.c_str(), 0644); }},
        {"someone else's logbook only its owner may read", true,
         [](HeldNotice& t) { writeBytes(t.path, "rad\r\n"), ::chmod(t.path.c_str(), 0600); }},
        {"the user's logbook without read permission", false,
         [](HeldNotice& t) {
             writeBytes(t.path, "rad\r\n");
             t.user.own(t.path);
             ::chmod(t.path.c_str(), 0);
         }},
        {"a named pipe", false,
         [](HeldNotice& t) {
             ::mkfifo(t.path.c_str(), 0644);
             t.user.own(t.path);
         }},
        {"someone else's link", true,
         [](HeldNotice& t) {
             writeBytes(t.folder / "elsewhere.ini", "rad\r\n");
             t.user.own(t.folder / "elsewhere.ini");
             fs::create_symlink("elsewhere.ini", t.path);
         }},
        {"a logbook too large to read", false,
         [](HeldNotice& t) {
             writeBytes(t.path, "a line longer than the limit\r\n");
             t.user.own(t.path);
         },
         false, 10},
        {"someone else's lock file", true, [](HeldNotice& t) { writeBytes(t.lock, ""); }, true},
    };
    for (const auto& c : cases) {
        if (c.needsRoot && !user.created()) continue;
        fs::remove_all(folder);
        fs::create_directory(folder);
        user.own(folder);
        c.make(*this);
        const Look before = lookAsUser(c.otherCopy, c.limit);
        ASSERT_TRUE(before.held) << c.what;
        const std::string named = c.otherCopy ? lock.string() : path.string();
        EXPECT_NE(before.notice.find(named), std::string::npos) << c.what << ": " << before.notice;
        ASSERT_FALSE(before.command.empty()) << c.what << ": " << before.notice;
        EXPECT_NE(before.notice.find(before.command), std::string::npos) << c.what << ": " << before.notice;
        EXPECT_EQ(run(before.command), 0) << c.what << ": " << before.command;
        const Look after = lookAsUser(false, c.limit);
        EXPECT_FALSE(after.held) << c.what << " after " << before.command << ": " << after.notice;
        if (c.otherCopy) {
            struct stat st {};
            EXPECT_TRUE(::lstat(lock.c_str(), &st) == 0 && st.st_uid == user.uid()) << c.what;
        }
    }
}

// A folder of someone else is not the user's to take: the notice names the
// folder and its owner, and gives no command. Root gives the test folder to
// itself and looks as the created user; anyone else looks at a folder of
// root's that every system has.
TEST_F(HeldNotice, SomeoneElsesFolderNamesItsOwnerAndNoCommand) {
    const fs::path rootsFolder = user.created() ? folder : fs::path("/usr");
    if (user.created()) ::chown(folder.c_str(), 0, 0);
    const Look look = lookAsUser(false, logbook::kMaxReadBytes, rootsFolder / "kavrilon.ini");
    ASSERT_TRUE(look.held);
    EXPECT_NE(look.notice.find(rootsFolder.string() + " tillhör root"), std::string::npos) << look.notice;
    EXPECT_NE(look.notice.find("Starta Kavrilon som root"), std::string::npos) << look.notice;
    EXPECT_TRUE(look.command.empty()) << look.command;
}

TEST(ShellQuoted, QuotesEveryCharacterForTheShell) {
    EXPECT_EQ(logbook::shellQuoted("/tmp/a b/it's"), "'/tmp/a b/it'\\''s'");
}

} // namespace
} // namespace kav::test
