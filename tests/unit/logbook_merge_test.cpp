// Another program may change the logbook while the session runs: an editor
// saves by renaming a new file over it, a script appends in place, a user
// empties or deletes it. At its next save the session keeps what is on disk
// and puts its own new lines after it, shows that in the list and saves it;
// a file it may not touch is left as it is.
#include "tests/support/Joined.h"
#include "tests/support/Unprivileged.h"
#include "tests/unit/journal_messages.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kav::test {
namespace {

namespace fs = std::filesystem;

TEST(LogbookMerge, NextSaveKeepsAnotherProgramsChangeAndTheSessionsLines) {
    struct Case {
        const char* what;
        // What the other program does; given the folder, the file and what
        // the session's last save left in it.
        std::function<void(const fs::path&, const fs::path&, const std::string&)> change;
        // What the file holds before the session's new line, or nothing when
        // the session may not save.
        std::function<std::optional<std::string>(const std::string&)> kept;
        bool needsAnotherUser = false;
    };
    const auto same = [](const std::string& saved) { return saved; };
    const Case cases[] = {
        {"unchanged", [](auto&, auto&, auto&) {}, same},
        {"renamed over by an editor",
         [](auto&, const fs::path& file, auto&) {
             writeBytes(file.string() + ".new", "edited\r\n");
             fs::rename(file.string() + ".new", file);
         },
         [](auto&) { return "edited\r\n"; }},
        {"appended to in place",
         [](auto&, const fs::path& file, const std::string& saved) { writeBytes(file, saved + "appended\r\n"); },
         [](const std::string& saved) { return saved + "appended\r\n"; }},
        {"emptied", [](auto&, const fs::path& file, auto&) { fs::resize_file(file, 0); },
         [](auto&) { return std::string(); }},
        {"deleted", [](auto&, const fs::path& file, auto&) { fs::remove(file); }, same},
        {"grown past what can be read", [](auto&, const fs::path& file, auto&) { fs::resize_file(file, 300 << 20); },
         [](auto&) { return std::nullopt; }},
        {"folder given to another user",
         [](const fs::path& folder, auto&, auto&) {
             Unprivileged user;
             user.own(folder);
         },
         [](auto&) { return std::nullopt; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFixture run;
        run.writeLogbook("old\r\n");
        run.startAndSettle();
        const std::string saved = run.logbookBytes().value_or("");
        if (c.needsAnotherUser && ::geteuid() != 0) continue; // only root can give the folder away
        c.change(run.dir.path(), run.logbookFile, saved);
        const auto before = fs::exists(run.logbookFile) ? fs::file_size(run.logbookFile) : 0;

        run.main().raise("kop", Event::Click);
        run.advance(300); // the copy chain's line and save
        const std::optional<std::string> kept = c.kept(saved);
        if (kept) {
            EXPECT_EQ(run.logbookBytes(), *kept + kCopiedBytes + "\r\n");
            EXPECT_EQ(joined(run.main().List1.store().snapshot()), run.logbookBytes());
        } else {
            EXPECT_EQ(fs::file_size(run.logbookFile), before) << "a file the session may not touch was saved";
            EXPECT_EQ(run.fake.callsStartingWith("logbookHeld"), std::vector<std::string>{"logbookHeld()"});
            EXPECT_EQ(run.lastLine(run.main().List1), kCopied);
        }
    }
}

} // namespace
} // namespace kav::test
