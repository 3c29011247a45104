// The step lists that several panel handlers share: the running look, the two
// positions of the piston with their lamps, the home and front drawings of each air cylinder, the two drawings
// of the console lock, and the steps that grow and shrink the main window to
// bring the lower panel into view and out of it again.
#include "forms/frmMain.h"

#include "model/Colour.h"

namespace kav {

// The piston run out: rod out of the barrel, head at the front end, rod end
// moved out, then its lamps. Run out by a colour selection, it lights the
// colour-code-ready lamp before the two position lamps.
void frmMain::pistonOut(bool codeReady) {
    Line29.Visible = true;
    Line26.Visible = false;
    Line27.Visible = true;
    Line28.Visible = false;
    Shape15.Visible = true;
    Shape14.Visible = false;
    if (codeReady) Text17.BackColor = lampGreen;
    Text19.BackColor = lampGreen;
    Text18.BackColor = lampYellow;
}

// The piston at home, as at load. Brought home by its return timer, it also
// darkens the colour-code-ready lamp.
void frmMain::pistonHome(bool codeDone) {
    Line29.Visible = false;
    Line26.Visible = true;
    Line27.Visible = false;
    Line28.Visible = true;
    Shape15.Visible = false;
    Shape14.Visible = true;
    if (codeDone) Text17.BackColor = lampYellow;
    Text19.BackColor = lampYellow;
    Text18.BackColor = lampGreen;
}

// A cylinder's drawings include its two sensor lamps but never its barrel
// colour, which only the Auto and Man commands change.
void frmMain::cylinderFrontDrawingLeft() {
    Line5.Visible = false;
    Line6.Visible = false;
    Line7.Visible = true;
    Line12.Visible = true;
    Shape3.Visible = false;
    Shape6.Visible = true;
    Text2.BackColor = lampYellow;
    Text3.BackColor = lampGreen;
}

void frmMain::cylinderHomeDrawingLeft() {
    Line5.Visible = true;
    Line6.Visible = true;
    Line7.Visible = false;
    Line12.Visible = false;
    Shape3.Visible = true;
    Shape6.Visible = false;
    Text2.BackColor = lampGreen;
    Text3.BackColor = lampYellow;
}

void frmMain::cylinderFrontDrawingRight() {
    Line8.Visible = false;
    Line9.Visible = false;
    Line10.Visible = true;
    Line11.Visible = true;
    Shape4.Visible = false;
    Shape5.Visible = true;
    Text5.BackColor = lampYellow;
    Text6.BackColor = lampGreen;
}

void frmMain::cylinderHomeDrawingRight() {
    Line8.Visible = true;
    Line9.Visible = true;
    Line10.Visible = false;
    Line11.Visible = false;
    Shape4.Visible = true;
    Shape5.Visible = false;
    Text5.BackColor = lampGreen;
    Text6.BackColor = lampYellow;
}

// The console lock bolted: piston at the barrel's left end, rod across the
// left cylinder's front rod, and the engaged-end sensor lit.
void frmMain::lockEngagedDrawing() {
    Line16.Visible = false;
    Line15.Visible = false;
    Line14.Visible = true;
    Line13.Visible = true;
    Shape9.Visible = false;
    Shape10.Visible = true;
    Text10.BackColor = lampYellow;
    Text11.BackColor = lampGreen;
}

void frmMain::lockReleasedDrawing() {
    Line16.Visible = true;
    Line15.Visible = true;
    Line14.Visible = false;
    Line13.Visible = false;
    Shape9.Visible = true;
    Shape10.Visible = false;
    Text10.BackColor = lampGreen;
    Text11.BackColor = lampYellow;
}

// Both steps start from the window's outer height as it is now, whoever set
// it. The amounts differ on purpose (a grow and a shrink leave the window 20
// twips shorter). A height outside the window system's limits is skipped.
void frmMain::growStep() { setHeightWithinLimits(Height + 3120.0); }

void frmMain::shrinkStep() { setHeightWithinLimits(Height - 3140.0); }

// The running look, with the alarm lamp yellow and "Pausa" enabled: what the
// start sequence, the quick start and the colour selection all show.
void frmMain::runningLook() {
    productionLampSteady();
    Shape12.BackColor = lampGreen;
    Text9.BackColor = lampYellow;
    Command14.Enabled = true;
}

// The blink timer stops, the steady face lights and the start contact closes.
void frmMain::productionLampSteady() {
    Timer21.Enabled = false;
    Text14.Visible = false;
    Text15.Visible = true;
    Line22.Visible = false;
    Line21.Visible = true;
}

// The blink timer runs with the blinking face lit at once; the contact opens.
void frmMain::productionLampBlinking() {
    Timer21.Enabled = true;
    Text14.Visible = true;
    Text15.Visible = false;
    Line22.Visible = true;
    Line21.Visible = false;
}

} // namespace kav
