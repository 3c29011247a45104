// The step lists that several panel handlers share: the drawings of the
// piston, the air cylinders and the console lock, the running look, and the
// steps that grow and shrink the main window to show the lower panel.
#include "forms/main/frmMain.h"

#include "model/Colour.h"

namespace kav {

// The piston run out (rod out of the barrel, head at the front end, rod end
// moved out, then its lamps) or at home, as at load. With `codeLamp` it also
// lights the colour-code-ready lamp when run out (a colour selection) or
// darkens it when home (the return timer), before the two position lamps.
void frmMain::pistonDrawing(bool out, bool codeLamp) {
    Line29.Visible = out;
    Line26.Visible = !out;
    Line27.Visible = out;
    Line28.Visible = !out;
    Shape15.Visible = out;
    Shape14.Visible = !out;
    if (codeLamp) Text17.BackColor = out ? lampGreen : lampYellow;
    Text19.BackColor = out ? lampGreen : lampYellow;
    Text18.BackColor = out ? lampYellow : lampGreen;
}

void frmMain::PositionDrawing::draw(bool front) const {
    homeRod.Visible = !front;
    homeHead.Visible = !front;
    frontHead.Visible = front;
    frontRod.Visible = front;
    homeEnd.Visible = !front;
    frontEnd.Visible = front;
    homeLamp.BackColor = front ? lampYellow : lampGreen;
    frontLamp.BackColor = front ? lampGreen : lampYellow;
}

// Both steps start from the window's outer height as it is now, whoever set
// it. The amounts differ on purpose (a grow and a shrink leave the window 20
// twips shorter). A height outside the window system's limits is skipped.
void frmMain::growStep() { setHeightWithinLimits(Height + 3120.0); }

void frmMain::shrinkStep() { setHeightWithinLimits(Height - 3140.0); }

// The running look, with the alarm lamp yellow and "Pausa" enabled: what the
// start sequence, the quick start and the colour selection all show.
void frmMain::runningLook() {
    productionLamp(/*steady=*/true);
    Shape12.BackColor = lampGreen;
    Text9.BackColor = lampYellow;
    Command14.Enabled = true;
}

// Steady: the blink timer stops, the steady face lights and the start contact
// closes. Blinking: the blink timer runs with the blinking face lit at once,
// and the contact opens.
void frmMain::productionLamp(bool steady) {
    Timer21.Enabled = !steady;
    Text14.Visible = !steady;
    Text15.Visible = steady;
    Line22.Visible = !steady;
    Line21.Visible = steady;
}

} // namespace kav
