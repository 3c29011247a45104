// The journal chains of the colour tool: a message timer writes a journal
// line and hands on, the save timer writes the whole logbook to its file. The
// chain for a new colour code has a timer between them that logs the code as
// txtColor shows it when that timer fires, not as it was at the click.
//
// The save timers need not close stray files first: List_Load and List_Save
// open and close their files within the call, so none is ever left open.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Timer5_Timer() {
    journalLine(std::string(kNewCodeMessage));
    Timer5.Enabled = false;
    Timer3.Enabled = true;
}

void frmMain::Timer3_Timer() {
    List_Add(List1, txtColor.Text);
    Timer3.Enabled = false;
    Timer4.Enabled = true;
}

void frmMain::Timer4_Timer() {
    List_Save(List1, logbookPath());
    Timer4.Enabled = false;
}

void frmMain::Timer6_Timer() {
    journalLine("Användaren har tryck på knappen  'Rensa klippminnet..");
    Timer6.Enabled = false;
    Timer7.Enabled = true;
}

void frmMain::Timer7_Timer() {
    List_Save(List1, logbookPath());
    Timer7.Enabled = false;
}

void frmMain::Timer8_Timer() {
    journalLine("Användaren har tryck på knappen eller menyn:  Kopiera till Klipp-Minnet");
    Timer8.Enabled = false;
    Timer9.Enabled = true;
}

void frmMain::Timer9_Timer() {
    List_Save(List1, logbookPath());
    Timer9.Enabled = false;
}

} // namespace kav
