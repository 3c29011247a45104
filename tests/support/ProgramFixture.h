#pragma once
// The program as the tests run it: the recording fake platform, a virtual
// clock, and the program folder (with the logbook in it) a fresh temporary
// folder. FakeWorld is that world alone, for a test whose program another
// owner builds; ProgramFixture adds the program, as a plain object for a test
// that needs one per case; ProgramTest is the same for TEST_F.

#include "forms/Program.h"
#include "forms/main/frmMain.h"
#include "model/TimerService.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

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
// folder a fresh temporary folder, and a virtual clock.
struct FakeWorld {
    TempDir dir;
    FakePlatform fake{dir.path()};
    VirtualClock clock;
    const std::string logbookFile = fake.logbookPath();

    // The saves asked of the platform so far, and the logbook file's bytes
    // (nothing while there is no file).
    std::size_t saves() const { return fake.callsStartingWith("writeFileAtomic(").size(); }
    std::optional<std::string> logbookBytes() const;
    void writeLogbook(const std::string& bytes) const;
};

// The program on that world, not yet started.
class ProgramFixture : public FakeWorld {
private:
    std::optional<Program> run_{std::in_place, fake, clock};
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

    void advance(std::int64_t ms) { program.timers().advance(clock, ms); }
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
    // decides what its list holds; and that list's append, load and save.
    frmMain& form();
    void add(const std::string& entry) { form().List_Add(form().List1, entry); }
    void load() { form().List_Load(form().List1, logbookFile); }
    void save() { form().List_Save(form().List1, logbookFile); }
    std::vector<std::string> entries() { return linesOf(form().List1); }
};

class ProgramTest : public ::testing::Test, public ProgramFixture {};

} // namespace kav::test
