// Start-up of the main window: the logbook list gets the code box's (empty)
// text and then the lines of the logbook file, and the welcome chain
// (logbook/journal_chains.cpp) writes its greeting and saves. Timer2 keeps
// the operation counter label showing how many lines the logbook list holds.
#include "forms/main/frmMain.h"

#include <string>

namespace kav {

void frmMain::Form_Load() {
    // The code box is empty now, so every start puts one empty line at the
    // head of the list, before the lines of the file.
    logbook().append(txtColor.Text);
    logbook().load();
    Timer19.Enabled = true;
}

void frmMain::Timer2_Timer() {
    Label5.Caption = "Antal op. programmet har gjort: " + std::to_string(List1.ListCount());
}

} // namespace kav
