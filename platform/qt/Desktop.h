#pragma once
// The program on a Qt desktop, built in one place: the clock, the views of
// the windows, the platform, the program and the driver of its timers, each
// made after what it needs and taken down before it. A view is made for every
// window the program loads and removed with it; the platform finds a
// dialog's owner among the views.

#include "forms/Program.h"
#include "platform/qt/LogbookReadAhead.h"
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
    // The program on this Linux desktop, its logbook in `programFolder`
    // (none when the folder is empty). The logbook is taken from
    // `logbookReadAhead` when it read the logbook and the file is unchanged.
    explicit Desktop(std::filesystem::path programFolder, std::unique_ptr<LogbookReadAhead> logbookReadAhead = nullptr);
    // The same program on another platform and clock (a test's recording
    // fake and virtual clock), both of which must outlive it. No timer
    // driver runs then: the test moves its clock on itself.
    Desktop(Platform& platform, Clock& clock);
    ~Desktop();

    Program& program() { return program_; }
    // The view showing `window`; null while the window is not loaded.
    FormView* viewFor(const Window& window) const;

    // Checks the design tables, then starts the program, showing its main
    // window, and checks its binding table. Returns the problems found; with
    // a faulty design nothing is started.
    std::vector<std::string> start();
    // Saves the journal lines that no chain has saved yet.
    void saveUnsavedLines();
    // No save reaches the logbook this session, and the user is told at the
    // first one: this copy runs without the folder's lock.
    void holdLogbookSaves();

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
