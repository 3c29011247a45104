// The main window's construction: each subsystem binds its handlers, one per
// (control, event) pair. Controls and events without a binding do nothing
// when raised.
#include "forms/frmMain.h"

namespace kav {

frmMain::frmMain(Program& program) : Window(frmMainDesign()), program_(&program) {
    bindStartup();
    bindWindowCommands();
    bindColourSelection();
    bindClipboardCommands();
    bindFileCommands();
    bindJournalChains();
    bindRunControl();
    bindPiston();
    bindCylinders();
    bindConsoleRamp();
    bindCdTray();
    bindLauncher();
}

std::string frmMain::logbookPath() const { return program_->platform().logbookPath(); }

} // namespace kav
