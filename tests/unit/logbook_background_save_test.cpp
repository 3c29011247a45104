// Saves written away from the user-interface thread: what each save holds,
// in which order saves reach the disk, and what the closing save leaves. The
// Logbook saves on its own writing thread with the real atomic writer; a gate
// lets a test hold a write in the middle, as a slow disk would.
#include "logbook/AtomicFile.h"
#include "tests/support/Joined.h"
#include "tests/support/ProgramFixture.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kav::test {
namespace {

// The Logbook's writes wait at a gate, before they write anything, while the
// test holds it closed, as a slow disk would hold them.
class GatedDisk {
public:
    GatedDisk() {
        gate = this;
        FakeWorld::atWriteStep = [](logbook::WriteStep step) {
            if (step == logbook::WriteStep::BeforeTemporary) gate->pass();
        };
    }
    ~GatedDisk() {
        FakeWorld::atWriteStep = nullptr;
        gate = nullptr;
    }

    void closeGate() {
        set([this] { open = false; });
    }
    void openGate() {
        set([this] { open = true; });
    }
    // Returns when a write has come to the closed gate.
    void waitUntilAWriteIsHeld() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return held > 0; });
    }
    int writes() {
        const std::lock_guard lock(mutex);
        return written;
    }

private:
    template <class F> void set(F change) {
        {
            const std::lock_guard lock(mutex);
            change();
        }
        changed.notify_all();
    }
    void pass() {
        std::unique_lock lock(mutex);
        if (!open) {
            ++held;
            changed.notify_all();
            changed.wait(lock, [this] { return open; });
        }
        ++written;
    }

    static inline GatedDisk* gate = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    bool open = true;
    int held = 0;
    int written = 0;
};

struct BackgroundSave : ProgramTest {
    GatedDisk disk;
};

TEST_F(BackgroundSave, SnapshotTakenBeforeAnAppendLacksItAndTheNextSaveHasIt) {
    add("first");
    disk.closeGate();
    save();
    disk.waitUntilAWriteIsHeld();
    add("after the save");
    disk.openGate();
    book.finishWrites();
    EXPECT_EQ(readBytes(logbookFile), "first\r\n");

    save();
    book.finishWrites();
    EXPECT_EQ(readBytes(logbookFile), "first\r\nafter the save\r\n");
}

// A save first waits for the one under way: only then does it know what the
// file holds, and whether another program changed it meanwhile.
TEST_F(BackgroundSave, SaveAskedForWhileOneIsUnderWayFollowsIt) {
    add("a");
    disk.closeGate();
    save();
    disk.waitUntilAWriteIsHeld(); // under way, held at the gate
    add("b");
    std::thread later([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        disk.openGate();
    });
    save();
    later.join();
    book.finishWrites();
    EXPECT_EQ(readBytes(logbookFile), "a\r\nb\r\n");
    EXPECT_EQ(disk.writes(), 2);
}

TEST_F(BackgroundSave, ClosingSaveAfterASlowSaveEndsWithTheLatestContent) {
    writeBytes(logbookFile, "old\r\n");
    add("journal line");
    disk.closeGate();
    save(); // a chain's save, held up by a slow disk
    disk.waitUntilAWriteIsHeld();
    add("line no chain saved");
    // The program ends: its closing save, then the wait for every write.
    std::thread later([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        disk.openGate();
    });
    book.saveUnsaved();
    EXPECT_EQ(readBytes(logbookFile), "journal line\r\nline no chain saved\r\n");
    later.join();
}

// `count` lines "<n>|yyy..." with CR LF, every `longEvery`th of them
// `longSize` bytes long.
std::string numberedLines(int count, int longEvery, std::size_t longSize) {
    std::string file;
    for (int n = 0; n < count; ++n) {
        const std::string number = std::to_string(n) + '|';
        file += number + std::string(n % longEvery == longEvery - 1 ? longSize : std::size_t(n % 7), 'y') + "\r\n";
    }
    return file;
}

// The list keeps a loaded file's bytes and finds its lines itself: whatever
// the line ends, it must hold the lines of the file and save them with CR LF.
TEST(LogbookLineIndex, HoldsTheReadersEntriesForEveryKindOfLineEnd) {
    const std::vector<std::string> files = {
        "a\r\nb\r\n",
        "a\r\nb",
        "a\nb\n",
        "a\rb\r",
        "a\r\n\r\nb",
        "\r\n",
        "\n",
        "\r",
        "a\r\r\nb\n\r",
        "x",
        // Line ends at and across the edges of the blocks the search looks at.
        std::string(15, 'x') + "\r\n" + std::string(30, 'y') + "\r\n",
        std::string(16, 'x') + "\r\n\r\n",
        std::string(15, 'x') + "\r" + std::string(16, 'y') + "\n",
        std::string(31, 'x') + "\r",
        std::string(16, 'x') + "\n" + std::string(40, 'y'),
        std::string(40, 'x') + "\r\n" + std::string(17, 'y'),
        // Enough lines, short and long, that most are found by a search from
        // an earlier line rather than from where the list keeps a start.
        numberedLines(40, 5, 0),
        numberedLines(40, 20, 5000),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        logbook::LineImage image = logbook::indexLines(file);
        LineStore store;
        store.appendImage(std::move(image.bytes), std::move(image.marks));
        const std::vector<std::string_view> lines = plainLines(file);
        std::string crLf;
        for (const std::string_view line : lines)
            crLf.append(line).append("\r\n");
        EXPECT_EQ(joined(store.snapshot()), crLf);
        ASSERT_EQ(store.count(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(store.bytes(i), lines[i]) << i;
    }
}

} // namespace
} // namespace kav::test
