// The logbook read while the program starts is handed over only while the
// file is the one read and unchanged, and only once; otherwise the load reads
// the file itself and never shows contents the file no longer has.
#include "platform/qt/LogbookReadAhead.h"
#include "tests/support/TempDir.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using qt::LogbookReadAhead;

TEST(LogbookReadAhead, HandsOverOnlyAnUnchangedFileOnce) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> meanwhile; // done after the read, before the load
        bool otherPath;
        bool handedOver;
    };
    const Case cases[] = {
        {"unchanged", [](const fs::path&) {}, false, true},
        {"asked for another path", [](const fs::path&) {}, true, false},
        {"replaced by another file with the same bytes",
         [](const fs::path& p) {
             fs::copy_file(p, p.string() + ".new");
             fs::rename(p.string() + ".new", p);
         },
         false, false},
        {"written in place", [](const fs::path& p) { writeBytes(p, "rewritten\r\n"); }, false, false},
        {"deleted", [](const fs::path& p) { fs::remove(p); }, false, false},
    };
    TempDir dir;
    const fs::path path = dir.path() / "kavrilon.ini";
    const std::string written = "line 0\r\nline 1\r\n\r\nline 3\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, written);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        LogbookReadAhead ahead(path.string());
        ahead.finish();
        c.meanwhile(path);
        std::optional<LogbookReadAhead::Taken> taken =
            ahead.take(c.otherPath ? (dir.path() / "other.ini").string() : path.string());
        ASSERT_EQ(taken.has_value(), c.handedOver);
        if (taken) {
            EXPECT_EQ(taken->stamp.id.ino, st.st_ino);
            LineStore store;
            store.appendImage(std::move(taken->image.bytes), std::move(taken->image.marks));
            ASSERT_EQ(store.count(), 4u);
            EXPECT_EQ(store.snapshot().joined(), written);
            EXPECT_FALSE(ahead.take(path.string())) << "handed over a second time";
        }
        fs::remove(path);
    }
}

TEST(LogbookReadAhead, HandsOverNothingForAMissingFile) {
    TempDir dir;
    const fs::path path = dir.path() / "kavrilon.ini";
    LogbookReadAhead ahead(path.string());
    EXPECT_FALSE(ahead.take(path.string()));
}

} // namespace
} // namespace kav::test
