// The logbook read while the program starts is handed over only while the
// file is the one read and unchanged, and only once; otherwise the load reads
// the file itself and never shows contents the file no longer has. A large
// logbook is mapped under a lease that keeps other writers off until a
// private copy has taken the mapping's place.
#include "platform/qt/LogbookReadAhead.h"
#include "tests/support/TempDir.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using qt::LogbookReadAhead;

// A logbook of `lines` lines ("line 0" ...), every one ending in CR LF.
std::string logbookOf(std::size_t lines) {
    std::string bytes;
    for (std::size_t i = 0; i < lines; ++i)
        bytes += "line " + std::to_string(i) + "\r\n";
    return bytes;
}

std::vector<std::string> linesOf(const LineStore& store) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < store.count(); ++i)
        lines.emplace_back(store.bytes(i));
    return lines;
}

void addTo(LineStore& store, logbook::LineImage image) {
    if (image.held)
        store.appendImage(std::move(image.held), std::move(image.marks));
    else
        store.appendImage(std::move(image.bytes), std::move(image.marks));
}

// Whether the kernel lists a lease on the file with inode `ino`.
bool leased(ino_t ino) {
    std::ifstream locks("/proc/locks");
    const std::string suffix = ":" + std::to_string(ino) + " ";
    for (std::string line; std::getline(locks, line);)
        if (line.find("LEASE") != std::string::npos && line.find(suffix) != std::string::npos) return true;
    return false;
}

struct ReadAheadTest : ::testing::Test {
    TempDir dir;
    const fs::path path = dir.path() / "kavrilon.ini";
    // The changes the read ahead asked to run on the list's thread.
    std::vector<std::function<void()>> posted;
    LogbookReadAhead::Post post = [this](std::function<void()> change) { posted.push_back(std::move(change)); };

    ino_t inode() const {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }
};

// Small files are read, large ones mapped; both follow the same rules.
TEST_F(ReadAheadTest, HandsOverOnlyAnUnchangedFileOnce) {
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
        {"deleted", [](const fs::path& p) { fs::remove(p); }, false, false},
    };
    for (const std::size_t lines : {3, 600'000}) {
        const std::string written = logbookOf(lines);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ", " + std::to_string(written.size()) + " bytes");
            writeBytes(path, written);
            const ino_t ino = inode();
            LogbookReadAhead ahead(path.string());
            ahead.finish();
            c.meanwhile(path);
            std::optional<LogbookReadAhead::Taken> taken =
                ahead.take(c.otherPath ? (dir.path() / "other.ini").string() : path.string(), post);
            ASSERT_EQ(taken.has_value(), c.handedOver);
            if (taken) {
                EXPECT_EQ(taken->id.ino, ino);
                EXPECT_EQ(taken->image.held != nullptr, written.size() >= LogbookReadAhead::kMapFrom);
                LineStore store;
                addTo(store, std::move(taken->image));
                ASSERT_EQ(store.count(), lines);
                EXPECT_EQ(store.bytes(lines - 1), "line " + std::to_string(lines - 1));
                EXPECT_EQ(store.snapshot().joined(), written);
                EXPECT_FALSE(ahead.take(path.string(), post)) << "handed over a second time";
            }
            ahead.finish();
            posted.clear();
            fs::remove(path);
        }
    }
}

TEST_F(ReadAheadTest, FileWrittenInPlaceAfterTheReadIsReadAgain) {
    writeBytes(path, logbookOf(3));
    LogbookReadAhead ahead(path.string());
    ahead.finish();
    writeBytes(path, "rewritten\r\n");
    EXPECT_FALSE(ahead.take(path.string(), post));
}

TEST_F(ReadAheadTest, MappedLogbookIsLeasedUntilItsCopyTakesItsPlace) {
    const std::string written = logbookOf(600'000);
    writeBytes(path, written);
    LogbookReadAhead ahead(path.string());
    std::optional<LogbookReadAhead::Taken> taken = ahead.take(path.string(), post);
    ASSERT_TRUE(taken && taken->image.held);
    LineStore store;
    addTo(store, std::move(taken->image));
    SharedBytes before = store.snapshot();
    EXPECT_TRUE(leased(inode())) << "no lease keeps other writers off the mapped file";

    ahead.finish();
    ASSERT_EQ(posted.size(), 1u);
    posted.front()();
    posted.clear();
    EXPECT_TRUE(leased(inode())) << "a snapshot still reads the mapping";
    EXPECT_EQ(before.joined(), written);
    const std::vector<std::string> lines = linesOf(store);

    // Once the last reader of the mapping lets it go, the lease is given up,
    // and a file cut short under the list changes nothing in it.
    before = SharedBytes();
    EXPECT_FALSE(leased(inode()));
    fs::resize_file(path, 10);
    EXPECT_EQ(linesOf(store), lines);
    EXPECT_EQ(store.snapshot().joined(), written);
}

TEST_F(ReadAheadTest, HandsOverNothingForAMissingFile) {
    LogbookReadAhead ahead(path.string());
    EXPECT_FALSE(ahead.take(path.string(), post));
}

} // namespace
} // namespace kav::test
