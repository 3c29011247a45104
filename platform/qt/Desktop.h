#pragma once
// The program on a Qt desktop, built in one place: the clock, the views of
// the windows, the platform, the program and the driver of its timers, each
// made after what it needs and taken down before it. The views follow the
// program's windows; the platform finds a dialog's owner among them.

#include "forms/Program.h"
#include "platform/qt/Renderer.h"
#include "platform/qt/TimerDriver.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kav::qt {

class FormView;
class QtPlatform;

class Desktop {
public:
    // The program on this Linux desktop, its logbook in `programFolder`
    // (none when the folder is empty).
    explicit Desktop(std::filesystem::path programFolder);
    // The same program on another platform and clock (a test's recording
    // fake and virtual clock), both of which must outlive it. No timer
    // driver runs then: the test moves its clock on itself.
    Desktop(Platform& platform, Clock& clock);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Program& program() { return program_; }
    FormView* viewFor(const Window& window) const { return views_.viewFor(window); }

    // Checks the design tables, then starts the program, showing its main
    // window, and checks its binding table. Returns the problems found; with
    // a faulty design nothing is started.
    std::vector<std::string> start();

    // Saves the journal lines that no chain has saved yet, once the program
    // has started.
    void saveUnsavedLines();

private:
    SteadyClock steadyClock_;
    Renderer views_;
    std::unique_ptr<QtPlatform> desktopPlatform_;
    Program program_;
    std::unique_ptr<TimerDriver> driver_;
};

} // namespace kav::qt
