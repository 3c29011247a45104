// Another program changes the logbook while a save is being written: at each
// step of the real writer, by each of the ways programs change a file. The
// file must end with that change and the session's new lines both, and the
// list must follow the file.
#include "logbook/AtomicFile.h"
#include "tests/support/Joined.h"
#include "tests/support/ProgramFixture.h"
#include "tests/unit/journal_messages.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;
using logbook::WriteStep;

// The thread of another program that goes on writing after its change began.
std::thread slowWriter;

// One way another program changes the file: what it does, given the file
// and what the session's last save left in it, and what the file holds then.
struct Change {
    const char* what;
    std::function<void(const fs::path&, const std::string&)> make;
    std::function<std::string(const std::string&)> after;
    // Whether only the change time tells the file changed: the same size,
    // the modification time put back.
    bool onlyTheChangeTimeTells = false;
};

void appendInPlace(const fs::path& file, const std::string& bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// Upper case in place, same size, with the modification time put back: only
// the change time tells.
std::string shouted(std::string bytes) {
    for (char& c : bytes)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return bytes;
}
void shoutInPlaceKeepingTheTime(const fs::path& file, const std::string& saved) {
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    // The change time moves on the kernel's tick: let one pass since the save.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int fd = ::open(file.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::string bytes = shouted(saved);
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::futimens(fd, times), 0);
    ::close(fd);
}

// A script that opened the file for appending and writes a little later,
// on a thread of its own, whatever became of the file meanwhile.
void appendLate(const fs::path& file, const std::string& bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    slowWriter = std::thread([fd, bytes] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        static_cast<void>(::write(fd, bytes.data(), bytes.size()));
        ::close(fd);
    });
}

// An editor that rewrites the file in place slowly: it empties the file and
// writes half, and the rest a little later, on a thread of its own.
void rewriteSlowly(const fs::path& file, const std::string& bytes) {
    std::promise<void> halfWritten;
    std::future<void> half = halfWritten.get_future();
    slowWriter = std::thread([file, bytes, &halfWritten] {
        const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC);
        const std::size_t cut = bytes.size() / 2;
        static_cast<void>(::write(fd, bytes.data(), cut));
        halfWritten.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        static_cast<void>(::write(fd, bytes.data() + cut, bytes.size() - cut));
        ::close(fd);
    });
    half.wait();
}

const std::string kEdited = "edited by another program\r\n";

const Change kChanges[] = {
    {"an editor renames a new file over it",
     [](const fs::path& file, auto&) {
         writeBytes(file.string() + ".new", kEdited);
         fs::rename(file.string() + ".new", file);
     },
     [](auto&) { return kEdited; }},
    {"a script appends in place", [](const fs::path& file, auto&) { appendInPlace(file, kEdited); },
     [](const std::string& saved) { return saved + kEdited; }},
    {"a script that opened it for appending writes a moment later",
     [](const fs::path& file, auto&) { appendLate(file, kEdited); },
     [](const std::string& saved) { return saved + kEdited; }},
    {"a user empties it", [](const fs::path& file, auto&) { fs::resize_file(file, 0); },
     [](auto&) { return std::string(); }},
    {"a user deletes it", [](const fs::path& file, auto&) { fs::remove(file); },
     [](const std::string& saved) { return saved; }},
    {"an edit in place of the same size, its modification time put back", shoutInPlaceKeepingTheTime,
     [](const std::string& saved) { return shouted(saved); }, true},
    {"an editor rewrites it in place, slowly",
     [](const fs::path& file, const std::string& saved) { rewriteSlowly(file, saved + kEdited); },
     [](const std::string& saved) { return saved + kEdited; }},
};

const WriteStep kSteps[] = {WriteStep::BeforeTemporary, WriteStep::Written, WriteStep::Synced,
                            WriteStep::BeforeReplace};

// The change the hook makes, once, at its step.
struct Pending {
    WriteStep step{};
    std::function<void()> make;
};
Pending pending;
void changeAtStep(WriteStep step) {
    if (!pending.make || step != pending.step) return;
    const std::function<void()> make = std::move(pending.make);
    pending.make = nullptr;
    make();
}

class MidSave : public ::testing::Test {
protected:
    void SetUp() override { FakeWorld::atWriteStep = changeAtStep; }
    void TearDown() override {
        FakeWorld::atWriteStep = nullptr;
        if (slowWriter.joinable()) slowWriter.join();
    }

    // Starts a session on a logbook, lets it save, and has the copy chain
    // save again with `change` made at `step` of that save. Returns what
    // the file should hold before the copied line.
    std::string copyWithChange(ProgramFixture& run, const Change& change, WriteStep step) {
        run.writeLogbook("old line\r\n");
        run.startAndSettle();
        const std::string saved = run.logbookBytes().value_or("");
        pending = {step, [&] { change.make(run.logbookFile, saved); }};
        run.main().raise("kop", Event::Click);
        run.advance(300); // the copy chain's line and save
        run.book.finishWrites();
        if (slowWriter.joinable()) slowWriter.join();
        EXPECT_FALSE(pending.make) << "the save never reached the step";
        return change.after(saved);
    }
};

TEST_F(MidSave, TheOtherProgramsChangeAndTheSessionsLinesBothReachTheFile) {
    for (const Change& change : kChanges)
        for (const WriteStep step : kSteps) {
            SCOPED_TRACE(std::string(change.what) + ", at step " + std::to_string(static_cast<int>(step)));
            ProgramFixture run;
            const std::string kept = copyWithChange(run, change, step);
            EXPECT_EQ(run.logbookBytes(), kept + kCopiedBytes + "\r\n");
        }
}

TEST_F(MidSave, TheListTakesTheMergedFileAtTheNextSave) {
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.what);
        ProgramFixture run;
        const std::string kept = copyWithChange(run, change, WriteStep::BeforeReplace);
        run.main().raise("kop", Event::Click);
        run.advance(300);
        EXPECT_EQ(run.logbookBytes(), kept + kCopiedBytes + "\r\n" + kCopiedBytes + "\r\n");
        EXPECT_EQ(joined(run.main().List1.store().snapshot()), run.logbookBytes());
    }
}

// A change in the instant after the new file is put in place lands in the
// session's own file: the next save finds it and keeps it. (The exchange
// moves the change time itself, so an edit that only the change time tells
// is seen only when it comes after the writer took the new file's stamp.)
TEST_F(MidSave, AChangeRightAfterTheReplacementIsKeptByTheNextSave) {
    for (const Change& change : kChanges) {
        if (change.onlyTheChangeTimeTells) continue;
        SCOPED_TRACE(change.what);
        ProgramFixture run;
        run.writeLogbook("old line\r\n");
        run.startAndSettle();
        const std::string saved = run.logbookBytes().value_or("") + kCopiedBytes + "\r\n";
        pending = {WriteStep::AfterReplace, [&] { change.make(run.logbookFile, saved); }};
        run.main().raise("kop", Event::Click);
        run.advance(300);
        run.book.finishWrites();
        if (slowWriter.joinable()) slowWriter.join();
        run.main().raise("kop", Event::Click);
        run.advance(300);
        EXPECT_EQ(run.logbookBytes(), change.after(saved) + kCopiedBytes + "\r\n");
        EXPECT_EQ(joined(run.main().List1.store().snapshot()), run.logbookBytes());
    }
}

} // namespace
} // namespace kav::test
