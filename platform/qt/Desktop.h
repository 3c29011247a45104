#pragma once
// The program on a Qt desktop, built in one place: the clock, the platform,
// the program, the driver of its timers, and a view for every window the
// program loads, removed with it. Dialogs are owned by their window's view.

#include "forms/Program.h"
#include "platform/qt/TimerDriver.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kav::qt {

class FormView;
class QtPlatform;

class Desktop final : private ProgramListener {
public:
    // The program on this Linux desktop, in `programFolder` (none when
    // empty); the logbook must outlive it.
    Desktop(std::filesystem::path programFolder, logbook::Logbook& logbook);
    // The same program on another platform and clock, which must outlive it
    // too (a test's fakes); no timer driver runs then.
    Desktop(Platform& platform, logbook::Logbook& logbook, Clock& clock);
    ~Desktop();

    Program& program() { return program_; }
    // The view showing `window`; null while the window is not loaded.
    FormView* viewFor(const Window& window) const;

    // Checks the design tables, starts the program and checks its binding
    // table. Returns the problems found; with a faulty design nothing starts.
    std::vector<std::string> start();

private:
    void windowLoaded(Window& window) override;
    void windowUnloading(Window& window) override;

    SteadyClock steadyClock_;
    std::unordered_map<const Window*, std::unique_ptr<FormView>> views_;
    std::unique_ptr<QtPlatform> desktopPlatform_;
    Program program_;
    std::unique_ptr<TimerDriver> driver_;
};

} // namespace kav::qt
