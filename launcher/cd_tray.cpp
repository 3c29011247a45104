// The two CD tray buttons and the journal chains they start. Each button sends
// its door command and waits for the tray, swaps which of the two buttons is
// offered, and leaves the logging and saving to its pair of timers.
#include "forms/frmMain.h"

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

void frmMain::Timer10_Timer() {
    journalLine("Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut..");
    Timer10.Enabled = false;
    Timer11.Enabled = true;
}

void frmMain::Timer11_Timer() {
    List_Save(List1, logbookPath());
    Timer11.Enabled = false;
}

void frmMain::Timer12_Timer() {
    journalLine("Användaren har tryck på knappen:  Stäng CD rom - CD Släde in..");
    Timer12.Enabled = false;
    Timer13.Enabled = true;
}

void frmMain::Timer13_Timer() {
    List_Save(List1, logbookPath());
    Timer13.Enabled = false;
}

} // namespace kav
