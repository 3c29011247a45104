// The console ramp: NER lowers the console with both cylinders and bolts it
// with the lock (Timer15, then Timer16); UPP releases the lock and raises the
// console (Timer17, then Timer18). The two ramp buttons share one place, and
// at most one of them is usable at a time, so a sequence cannot be restarted
// while its timers run.
#include "forms/frmMain.h"

namespace kav {

void frmMain::bindConsoleRamp() {
    // NER (down) and UPP: each starts its sequence and makes the other usable.
    for (const bool down : {true, false})
        bind(down ? "Command12" : "Command13", Event::Click, [this, down](const EventArgs&) {
            (down ? Timer15 : Timer17).Enabled = true;
            Command13.Enabled = down;
            Command12.Enabled = !down;
        });
    // Cylinders down.
    bind("Timer15", Event::Timer, [this](const EventArgs&) {
        leftCylinder.draw(/*front=*/true);
        journalLine("Cylinder ner");
        rightCylinder.draw(/*front=*/true);
        Timer15.Enabled = false;
        Timer16.Enabled = true;
        growStep();
    });
    // Console locked down; the UPP button takes the NER button's place.
    bind("Timer16", Event::Timer, [this](const EventArgs&) {
        consoleLock.draw(/*front=*/true);
        journalLine("Konsollen är låst i nede - läge");
        Command12.Visible = false;
        Command13.Visible = true;
        Timer16.Enabled = false;
    });
    // Lock released, console on its way up.
    bind("Timer17", Event::Timer, [this](const EventArgs&) {
        consoleLock.draw(/*front=*/false);
        journalLine("Konsollen är upp låst - Konsollen går upp..");
        Timer17.Enabled = false;
        Timer18.Enabled = true;
    });
    // Cylinders up. The console's arrival writes no journal line.
    bind("Timer18", Event::Timer, [this](const EventArgs&) {
        leftCylinder.draw(/*front=*/false);
        rightCylinder.draw(/*front=*/false);
        Command12.Visible = true;
        Command13.Visible = false;
        Timer18.Enabled = false;
        shrinkStep();
    });
}

} // namespace kav
