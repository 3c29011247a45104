// The program's six journal chains: a message timer writes a journal line and
// hands on, the save timer writes the whole logbook to its file. The chain for
// a new colour code has a code timer between them that logs the code as
// txtColor shows it when that timer fires, not as it was at the click.
//
// The save timers need not close stray files first: the Logbook opens and
// closes the file within each load and save, so none is ever left open.
#include "forms/main/frmMain.h"

namespace kav {

namespace {

// A chain's message timer, its line and its save timer, and the code timer of
// the one chain that has one between them.
struct Chain {
    std::string_view messageTimer;
    std::string_view line;
    std::string_view saveTimer;
    std::string_view codeTimer = {};
};

constexpr Chain kChains[] = {
    {"Timer5", kNewCodeMessage, "Timer4", "Timer3"},
    {"Timer6", "Användaren har tryck på knappen  'Rensa klippminnet..", "Timer7"},
    {"Timer8", "Användaren har tryck på knappen eller menyn:  Kopiera till Klipp-Minnet", "Timer9"},
    {"Timer10", "Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut..", "Timer11"},
    {"Timer12", "Användaren har tryck på knappen:  Stäng CD rom - CD Släde in..", "Timer13"},
    {"Timer19", "Välkommen till Vendel Hagmarks loggbok  i Skarnvik", "Timer20"},
};

} // namespace

void frmMain::bindJournalChains() {
    for (const Chain& chain : kChains) {
        bind(chain.messageTimer, Event::Timer, [this, &chain](const EventArgs&) {
            journalLine(std::string(chain.line));
            ctl(chain.messageTimer).Enabled = false;
            ctl(chain.codeTimer.empty() ? chain.saveTimer : chain.codeTimer).Enabled = true;
        });
        bind(chain.saveTimer, Event::Timer, [this, &chain](const EventArgs&) {
            logbook().save();
            ctl(chain.saveTimer).Enabled = false;
        });
    }
}

void frmMain::Timer3_Timer() {
    logbook().append(txtColor.Text);
    Timer3.Enabled = false;
    Timer4.Enabled = true;
}

void frmMain::journalLine(const std::string& message) {
    Text8.Text = message;
    logbook().append(Text8.Text);
}

} // namespace kav
