#pragma once
// The program as the tests run it: the recording fake platform, a virtual
// clock, and the program folder (with the real Logbook's file in it) a fresh
// temporary folder. FakeWorld is that world alone, for a test whose program another
// owner builds; ProgramFixture adds the program, as a plain object for a test
// that needs one per case; ProgramTest is the same for TEST_F.

#include "forms/Program.h"
#include "forms/main/frmMain.h"
#include "logbook/Logbook.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav::test {

// What a program runs on in a test: the recording fake platform, its program
// folder a fresh temporary folder with the logbook in it, and a virtual
// clock. The Logbook is the program's own; its notice is recorded among the
// platform's calls as "logbookHeld()", and its drive letters name the
// folders in `media`, every one taken for a mounted medium.
struct FakeWorld {
    FakeWorld();

    TempDir dir;
    TempDir media;
    FakePlatform fake;
    VirtualClock clock;
    const std::string logbookFile = logbook::logbookPathIn(dir.path());

private:
    std::size_t savesBefore_ = 0;
    logbook::Logbook::Notice notice();
    logbook::MediaEnvironment mediaEnvironment() const;
    std::optional<logbook::Logbook> book_{std::in_place, logbookFile, notice(), mediaEnvironment()};

public:
    logbook::Logbook& book = *book_;
    // Makes the Logbook anew, as a new run of the program does.
    void nextBook();

    // The replacements of files written since this world was made or its
    // calls cleared (the logbook's saves and copies, failed ones included),
    // and the logbook file's bytes (nothing while there is no file), each
    // once every save asked for is done.
    std::size_t saves() const;
    void clearCalls();
    std::optional<std::string> logbookBytes() const;
    void writeLogbook(const std::string& bytes) const;
    // Lets every write of a non-empty file fail from now on, as a full disk
    // does, or succeed again, once the saves asked for so far are done.
    void failWrites(bool fail) const;
    // Runs at every step of every file replacement, on the writing thread.
    static inline logbook::WriteStepHook atWriteStep = nullptr;
};

// The program on that world, not yet started.
class ProgramFixture : public FakeWorld {
private:
    std::optional<Program> run_{std::in_place, fake, book, clock};
    std::unique_ptr<frmMain> alone_;

public:
    // nextRun() makes the program anew in the same place, so this stays good.
    Program& program = *run_;

    // Runs the program's start-up at the current virtual time.
    frmMain& start();
    // Starts and lets the welcome chain save the logbook, so that later
    // lines and saves in a test are its own.
    frmMain& startAndSettle();
    // Ends this run of the program; the next start() is the next run, on the
    // same folder and clock.
    void nextRun();
    frmMain& main() { return program.main(); }

    void advance(std::int64_t ms) { clock.advance(program.timers(), ms); }
    // Moves the clock on to `ms` after the clock's zero.
    void advanceTo(std::int64_t ms);
    bool click(std::string_view control) { return main().raise(control, Event::Click); }

    // The main window's journal: a mark of where it is now, the lines
    // appended since a mark; the last line of a list and its lines from one on.
    std::size_t mark() { return main().List1.ListCount(); }
    std::vector<std::string> linesSince(std::size_t mark);
    static std::string lastLine(const Control& list);
    static std::vector<std::string> linesOf(const Control& list, std::size_t from = 0);

    // A main window of this program on its own, never started, so a test
    // decides what its list holds; and the Logbook's append, load and save,
    // which then act on that list.
    frmMain& form();
    void add(const std::string& entry) { form().logbook().append(entry); }
    void load() { form().logbook().load(); }
    void save() { form().logbook().save(); }
    std::vector<std::string> entries() { return linesOf(form().List1); }
};

class ProgramTest : public ::testing::Test, public ProgramFixture {};

} // namespace kav::test
