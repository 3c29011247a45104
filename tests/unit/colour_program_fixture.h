#pragma once
// A started program on a virtual clock with the recording fake platform and
// the logbook in a fresh temporary folder, for the tests of the colour tool,
// the journal chains, start-up and the window commands.

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Program.h"
#include "forms/frmMain.h"
#include "model/TimerService.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kav::test {

class ProgramTest : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform fake{dir.path()};
    VirtualClock clock;
    std::unique_ptr<Program> program;

    // Creates the program and runs its start-up at the current virtual time.
    frmMain& start() {
        program = std::make_unique<Program>(fake, clock);
        program->start();
        return program->main();
    }

    void advance(std::int64_t ms) { program->timers().advance(clock, ms); }

    // Runs a start and waits until its welcome chain has saved the logbook,
    // so that later saves in a test are its own.
    frmMain& startAndSettle() {
        frmMain& w = start();
        advance(1000);
        return w;
    }

    std::string logbookFile() const { return (dir.path() / "kavrilon.ini").string(); }

    std::optional<std::string> fileBytes() const {
        std::ifstream in(logbookFile(), std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void writeLogbook(const std::string& bytes) const {
        std::ofstream out(logbookFile(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::size_t saves() const { return fake.callsStartingWith("writeFileAtomic(").size(); }

    static std::string lastLine(const Control& list) {
        return list.ListCount() == 0 ? std::string("<empty list>") : list.List(list.ListCount() - 1);
    }

    static bool endsWith(const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }
};

// The program's journal messages, as UTF-8 (in the list) and as the bytes the
// logbook file holds for them (Windows-1252: "ä" is 0xE4).
inline const std::string kCongratulation =
    "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya färg kod blev..  =";
inline const std::string kCongratulationBytes =
    "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\xE4rg kod blev..  =";
inline const std::string kCopied = "Användaren har tryck på knappen eller menyn:  Kopiera till Klipp-Minnet";
inline const std::string kCopiedBytes = "Anv\xE4ndaren har tryck p\xE5 knappen eller menyn:  Kopiera till Klipp-Minnet";
inline const std::string kCleared = "Användaren har tryck på knappen  'Rensa klippminnet..";
inline const std::string kClearedBytes = "Anv\xE4ndaren har tryck p\xE5 knappen  'Rensa klippminnet..";
inline const std::string kWelcome = "Välkommen till Vendel Hagmarks loggbok  i Skarnvik";
inline const std::string kWelcomeBytes = "V\xE4lkommen till Vendel Hagmarks loggbok  i Skarnvik";

} // namespace kav::test
