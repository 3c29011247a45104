// The two CD tray buttons. Each button sends its door command and waits for
// the tray, swaps which of the two buttons is offered, and leaves the logging
// and saving to its journal chain (logbook/journal_chains.cpp).
#include "forms/frmMain.h"

namespace kav {

void frmMain::bindCdTray() {
    // The outcome does not matter: with no drive, or a drive that refuses, the
    // buttons swap and the press is logged all the same.
    for (const bool open : {true, false})
        bind(open ? "Command8" : "Command9", Event::Click, [this, open](const EventArgs&) {
            (void)platform().cdDoor(open);
            Command8.Enabled = !open;
            Command9.Enabled = open;
            (open ? Timer10 : Timer12).Enabled = true;
        });
}

} // namespace kav
