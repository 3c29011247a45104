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

// The lines the list gets from a file image, in order.
std::vector<std::string> linesOf(const logbook::LineImage& image) {
    LineStore store;
    store.appendImage(image.bytes, image.marks);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < store.count(); ++i)
        lines.emplace_back(store.bytes(i));
    return lines;
}

TEST(LogbookReadAhead, HandsOverOnlyAnUnchangedFileOnce) {
    const std::string written = "first\r\nsecond\r\nthird";
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> meanwhile; // done after the read, before the load
        bool otherPath;
        bool handedOver;
    };
    const Case cases[] = {
        {"unchanged", [](const fs::path&) {}, false, true},
        {"asked for another path", [](const fs::path&) {}, true, false},
        {"written to in place", [](const fs::path& p) { writeBytes(p, "rewritten\r\n"); }, false, false},
        {"replaced by another file with the same bytes",
         [&](const fs::path& p) {
             writeBytes(p.string() + ".new", written);
             fs::rename(p.string() + ".new", p);
         },
         false, false},
        {"deleted", [](const fs::path& p) { fs::remove(p); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path path = dir.path() / "kavrilon.ini";
        writeBytes(path, written);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        qt::LogbookReadAhead ahead(path.string());
        ahead.finish();
        c.meanwhile(path);
        const std::optional<qt::LogbookReadAhead::Taken> taken =
            ahead.take(c.otherPath ? (dir.path() / "other.ini").string() : path.string());
        ASSERT_EQ(taken.has_value(), c.handedOver);
        if (!taken) continue;
        EXPECT_EQ(linesOf(taken->image), (std::vector<std::string>{"first", "second", "third"}));
        EXPECT_EQ(taken->id, (posix::FileId{before.st_dev, before.st_ino}));
        EXPECT_FALSE(ahead.take(path.string())) << "handed over a second time";
    }
}

TEST(LogbookReadAhead, HandsOverNothingForAMissingFile) {
    TempDir dir;
    const std::string path = (dir.path() / "kavrilon.ini").string();
    qt::LogbookReadAhead ahead(path);
    EXPECT_FALSE(ahead.take(path));
}

} // namespace
} // namespace kav::test
