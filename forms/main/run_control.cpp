// The panel's run control: the blinking production-start lamp, the start
// sequence that establishes the PLC link at 4 s and gives the start conditions
// at 10 s, and the Pausa, Återstart and Snabbstart buttons. Together they
// gate the colour tool's two buttons.
#include "forms/main/frmMain.h"

#include "model/Colour.h"

namespace kav {

// The one panel handler that reads a control to decide: it inverts the
// blinking face of the production-start lamp.
void frmMain::Timer21_Timer() { Text14.Visible = !Text14.Visible; }

void frmMain::Timer23_Timer() {
    Text16.BackColor = lampGreen;
    Timer24.Enabled = true;
    Timer23.Enabled = false;
    journalLine("PLC  - burkar = kommunikation upprättad.");
}

// The steps the start sequence and the quick start share: the colour tool
// unlocked, the start-conditions lamp green, and the running look.
void frmMain::startConditionsGiven() {
    cmdColor.Enabled = true;
    cmdCopy.Enabled = true;
    Text4.BackColor = lampGreen;
    runningLook();
}

void frmMain::Timer24_Timer() {
    startConditionsGiven();
    Timer24.Enabled = false;
    journalLine("Startvillkor angivits från = PLC  - burkar");
    // The code box's code goes to the clipboard, but an empty box leaves the
    // clipboard alone: at an ordinary start the box is still empty, and what
    // the user copied before starting the program must survive. (The box
    // takes no typing, so it holds a code or nothing.) A busy clipboard
    // skips these steps without a word.
    if (txtColor.Text.get().empty()) return;
    platform().clipboardClear();
    platform().clipboardSetText(txtColor.Text);
}

// Pausa.
void frmMain::Command14_Click() {
    productionLamp(/*steady=*/false);
    cmdColor.Enabled = false;
    cmdCopy.Enabled = false;
    Command15.Visible = true;
    Command14.Visible = false;
    Shape12.BackColor = lampRed;
    Text9.BackColor = lampRed;
    journalLine("Systemet pausad");
}

// Återstart. The alarm lamp goes green here, unlike the yellow of a start.
void frmMain::Command15_Click() {
    productionLamp(/*steady=*/true);
    cmdColor.Enabled = true;
    cmdCopy.Enabled = true;
    Command15.Visible = false;
    Command14.Visible = true;
    Shape12.BackColor = lampGreen;
    Text9.BackColor = lampGreen;
    journalLine("Systemet återstartad");
}

// Snabbstart: the running look at once. The start sequence's timers are left
// alone and still run to their end.
void frmMain::Command18_Click() {
    startConditionsGiven();
    Command18.Enabled = false;
    journalLine("Systemet snabb-startad.");
}

} // namespace kav
