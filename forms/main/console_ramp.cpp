// The console ramp: NER lowers the console with both cylinders and bolts it
// with the lock (Timer15, then Timer16); UPP releases the lock and raises the
// console (Timer17, then Timer18). The two ramp buttons share one place, and
// at most one of them is usable at a time, so a sequence cannot be restarted
// while its timers run.
#include "forms/main/frmMain.h"

namespace kav {

// NER.
void frmMain::Command12_Click() {
    Timer15.Enabled = true;
    Command13.Enabled = true;
    Command12.Enabled = false;
}

// UPP.
void frmMain::Command13_Click() {
    Timer17.Enabled = true;
    Command13.Enabled = false;
    Command12.Enabled = true;
}

// Cylinders down.
void frmMain::Timer15_Timer() {
    leftCylinder.draw(/*front=*/true);
    journalLine("Cylinder ner");
    rightCylinder.draw(/*front=*/true);
    Timer15.Enabled = false;
    Timer16.Enabled = true;
    growStep();
}

// Console locked down; the UPP button takes the NER button's place.
void frmMain::Timer16_Timer() {
    consoleLock.draw(/*front=*/true);
    journalLine("Konsollen är låst i nede - läge");
    Command12.Visible = false;
    Command13.Visible = true;
    Timer16.Enabled = false;
}

// Lock released, console on its way up.
void frmMain::Timer17_Timer() {
    consoleLock.draw(/*front=*/false);
    journalLine("Konsollen är upp låst - Konsollen går upp..");
    Timer17.Enabled = false;
    Timer18.Enabled = true;
}

// Cylinders up. The console's arrival writes no journal line.
void frmMain::Timer18_Timer() {
    leftCylinder.draw(/*front=*/false);
    rightCylinder.draw(/*front=*/false);
    Command12.Visible = true;
    Command13.Visible = false;
    Timer18.Enabled = false;
    shrinkStep();
}

} // namespace kav
