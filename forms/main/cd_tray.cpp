// The two CD tray buttons. Each button sends its door command and waits for
// the tray, swaps which of the two buttons is offered, and leaves the logging
// and saving to its journal chain (logbook/journal_chains.cpp).
#include "forms/main/frmMain.h"

namespace kav {

void frmMain::Command8_Click() {
    // The outcome does not matter: with no drive, or a drive that refuses, the
    // buttons swap and the press is logged all the same.
    (void)platform().cdDoor(true);
    Command8.Enabled = false;
    Command9.Enabled = true;
    Timer10.Enabled = true;
}

void frmMain::Command9_Click() {
    (void)platform().cdDoor(false);
    Command8.Enabled = true;
    Command9.Enabled = false;
    Timer12.Enabled = true;
}

} // namespace kav
