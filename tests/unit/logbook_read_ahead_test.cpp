// The logbook read while the program starts is handed to the load only while
// the file is unchanged since, and only once; otherwise the load reads the
// file itself and never shows contents the file no longer has.
#include "tests/support/ProgramFixture.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

const std::string kWritten = "line 0\r\nline 1\r\n";

std::size_t threads() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/task"), {}));
}

// Starts the read ahead of `run`'s logbook and returns when its thread has
// ended, so that what happens next happens after the read.
void readAheadNow(ProgramFixture& run) {
    const std::size_t before = threads();
    run.book.readAhead();
    while (threads() > before)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(LogbookReadAhead, TheLoadShowsTheFileAsItIsThen) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> meanwhile; // after the read, before the load
        Entries shown;
    };
    const Case cases[] = {
        {"unchanged", [](const fs::path&) {}, {"line 0", "line 1"}},
        {"replaced by a file of the same size",
         [](const fs::path& p) {
             writeBytes(p.string() + ".new", "LINE 0\r\nLINE 1\r\n");
             fs::rename(p.string() + ".new", p);
         },
         {"LINE 0", "LINE 1"}},
        {"written in place", [](const fs::path& p) { writeBytes(p, "rewritten\r\n"); }, {"rewritten"}},
        {"deleted", [](const fs::path& p) { fs::remove(p); }, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFixture run;
        run.writeLogbook(kWritten);
        readAheadNow(run);
        c.meanwhile(run.logbookFile);
        run.load();
        EXPECT_EQ(run.entries(), c.shown);
    }
}

TEST(LogbookReadAhead, ALaterLoadReadsTheFileAgain) {
    ProgramFixture run;
    run.writeLogbook(kWritten);
    readAheadNow(run);
    run.load();
    run.writeLogbook("rewritten\r\n");
    run.load();
    EXPECT_EQ(run.entries(), (Entries{"line 0", "line 1", "rewritten"}));
}

} // namespace
} // namespace kav::test
