// The program's six journal chains: a message timer writes a journal line and
// hands on, the save timer writes the whole logbook to its file. The chain for
// a new colour code has a code timer between them that logs the code as
// txtColor shows it when that timer fires, not as it was at the click.
//
// The save timers need not close stray files first: List_Load and List_Save
// open and close their files within the call, so none is ever left open.
#include "forms/frmMain.h"

namespace kav {

// One step of whichever chain `timer` belongs to: a row is a chain's message
// timer, its line and its save timer, and the code timer of the one chain
// that has one.
void frmMain::journalChainStep(Control& timer) {
    struct Chain {
        Control* messageTimer;
        std::string_view line;
        Control* saveTimer;
        Control* codeTimer = nullptr;
    };
    const Chain chains[] = {
        {&Timer5, kNewCodeMessage, &Timer4, &Timer3},
        {&Timer6, "Användaren har tryck på knappen  'Rensa klippminnet..", &Timer7},
        {&Timer8, "Användaren har tryck på knappen eller menyn:  Kopiera till Klipp-Minnet", &Timer9},
        {&Timer10, "Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut..", &Timer11},
        {&Timer12, "Användaren har tryck på knappen:  Stäng CD rom - CD Släde in..", &Timer13},
        {&Timer19, "Välkommen till Vendel Hagmarks loggbok  i Skarnvik", &Timer20},
    };
    for (const Chain& chain : chains) {
        if (&timer == chain.messageTimer) {
            journalLine(std::string(chain.line));
            timer.Enabled = false;
            (chain.codeTimer != nullptr ? chain.codeTimer : chain.saveTimer)->Enabled = true;
            return;
        }
        if (&timer == chain.saveTimer) {
            List_Save(List1, logbookPath());
            timer.Enabled = false;
            return;
        }
    }
}

void frmMain::Timer5_Timer() { journalChainStep(Timer5); }

void frmMain::Timer3_Timer() {
    List_Add(List1, txtColor.Text);
    Timer3.Enabled = false;
    Timer4.Enabled = true;
}

void frmMain::Timer4_Timer() { journalChainStep(Timer4); }
void frmMain::Timer6_Timer() { journalChainStep(Timer6); }
void frmMain::Timer7_Timer() { journalChainStep(Timer7); }
void frmMain::Timer8_Timer() { journalChainStep(Timer8); }
void frmMain::Timer9_Timer() { journalChainStep(Timer9); }
void frmMain::Timer10_Timer() { journalChainStep(Timer10); }
void frmMain::Timer11_Timer() { journalChainStep(Timer11); }
void frmMain::Timer12_Timer() { journalChainStep(Timer12); }
void frmMain::Timer13_Timer() { journalChainStep(Timer13); }
void frmMain::Timer19_Timer() { journalChainStep(Timer19); }
void frmMain::Timer20_Timer() { journalChainStep(Timer20); }

} // namespace kav
