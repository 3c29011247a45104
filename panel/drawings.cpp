// The step lists that several panel handlers share: the drawings of the
// piston, the air cylinders and the console lock, the running look, and the
// steps that grow and shrink the main window to show the lower panel.
#include "forms/frmMain.h"

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

// A cylinder's drawings include its two sensor lamps but never its barrel
// colour, which only the Auto and Man commands change. The console lock is
// drawn the same way, its engaged position being its front one.
void frmMain::cylinderFrontDrawingLeft() {
    drawPosition(true, Line5, Line6, Line7, Line12, Shape3, Shape6, Text2, Text3);
}

void frmMain::cylinderHomeDrawingLeft() {
    drawPosition(false, Line5, Line6, Line7, Line12, Shape3, Shape6, Text2, Text3);
}

void frmMain::cylinderFrontDrawingRight() {
    drawPosition(true, Line8, Line9, Line10, Line11, Shape4, Shape5, Text5, Text6);
}

void frmMain::cylinderHomeDrawingRight() {
    drawPosition(false, Line8, Line9, Line10, Line11, Shape4, Shape5, Text5, Text6);
}

void frmMain::lockEngagedDrawing() {
    drawPosition(true, Line16, Line15, Line14, Line13, Shape9, Shape10, Text10, Text11);
}

void frmMain::lockReleasedDrawing() {
    drawPosition(false, Line16, Line15, Line14, Line13, Shape9, Shape10, Text10, Text11);
}

// One of the two positions of a cylinder or of the lock: a rod, a piston head
// and a rod end draw each; the lamp of the position reached is green.
void frmMain::drawPosition(bool front, Control& homeRod, Control& homeHead, Control& frontHead, Control& frontRod,
                           Control& homeEnd, Control& frontEnd, Control& homeLamp, Control& frontLamp) {
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
