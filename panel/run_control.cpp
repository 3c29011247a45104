// The panel's run control: the blinking production-start lamp, the start
// sequence that establishes the PLC link at 4 s and gives the start conditions
// at 10 s, and the Pausa, Återstart and Snabbstart buttons. Together they
// gate the colour tool's two buttons.
#include "forms/frmMain.h"

#include "model/Colour.h"

namespace kav {

void frmMain::bindRunControl() {
    // The steps the start sequence and the quick start share: the colour tool
    // unlocked, the start-conditions lamp green, and the running look.
    const auto startConditionsGiven = [this] {
        cmdColor.Enabled = true;
        cmdCopy.Enabled = true;
        Text4.BackColor = lampGreen;
        runningLook();
    };
    // The one panel handler that reads a control to decide: it inverts the
    // blinking face of the production-start lamp.
    bind("Timer21", Event::Timer, [this](const EventArgs&) { Text14.Visible = !Text14.Visible; });
    bind("Timer23", Event::Timer, [this](const EventArgs&) {
        Text16.BackColor = lampGreen;
        Timer24.Enabled = true;
        Timer23.Enabled = false;
        journalLine("PLC  - burkar = kommunikation upprättad.");
    });
    bind("Timer24", Event::Timer, [this, startConditionsGiven](const EventArgs&) {
        startConditionsGiven();
        Timer24.Enabled = false;
        journalLine("Startvillkor angivits från = PLC  - burkar");
        // A busy clipboard skips these steps without a word.
        platform().clipboardClear();
        platform().clipboardSetText(txtColor.Text);
    });
    // Pausa, and Återstart in its place. The alarm lamp goes green on a
    // restart, unlike the yellow of a start.
    for (const bool restart : {false, true})
        bind(restart ? "Command15" : "Command14", Event::Click, [this, restart](const EventArgs&) {
            productionLamp(/*steady=*/restart);
            cmdColor.Enabled = restart;
            cmdCopy.Enabled = restart;
            Command15.Visible = !restart;
            Command14.Visible = restart;
            Shape12.BackColor = restart ? lampGreen : lampRed;
            Text9.BackColor = restart ? lampGreen : lampRed;
            journalLine(restart ? "Systemet återstartad" : "Systemet pausad");
        });
    // Snabbstart: the running look at once. The start sequence's timers are left
    // alone and still run to their end.
    bind("Command18", Event::Click, [this, startConditionsGiven](const EventArgs&) {
        startConditionsGiven();
        Command18.Enabled = false;
        journalLine("Systemet snabb-startad.");
    });
}

} // namespace kav
