// The two vertical air cylinders: Man drives a cylinder to its front position
// and grows the window so the lower panel shows; Auto returns it home (the
// left one 1.9 s later through Timer14) and shrinks the window again. No
// command looks at where a cylinder stands.
#include "forms/frmMain.h"

#include "model/Colour.h"

namespace kav {

void frmMain::bindCylinders() {
    // Man, left cylinder.
    bind("Command11", Event::Click, [this](const EventArgs&) {
        Text9.BackColor = lampRed;
        Command10.Enabled = true;
        cylinderFrontDrawingLeft();
        Shape2.BackColor = lampRed;
        journalLine("Varning: konsollen är inte låst.  ");
        growStep();
    });
    // Auto, left cylinder: only disables itself and starts the delayed return.
    bind("Command10", Event::Click, [this](const EventArgs&) {
        Command10.Enabled = false;
        Timer14.Enabled = true;
    });
    // The left cylinder's delayed return. It does not touch Command10, so a Man
    // pressed while the return was pending leaves Auto enabled.
    bind("Timer14", Event::Timer, [this](const EventArgs&) {
        Text9.BackColor = lampYellow;
        cylinderHomeDrawingLeft();
        Shape2.BackColor = lampWhite;
        Timer14.Enabled = false;
        journalLine("Cylinder vänster bakåt  (Auto)");
        shrinkStep();
    });
    // Man, right cylinder.
    bind("Command5", Event::Click, [this](const EventArgs&) {
        Text9.BackColor = lampRed;
        Command4.Enabled = true;
        cylinderFrontDrawingRight();
        Shape1.BackColor = lampRed;
        journalLine("Varning: konsollen är inte låst.  ");
        growStep();
    });
    // Auto, right cylinder: returns at once.
    bind("Command4", Event::Click, [this](const EventArgs&) {
        Command4.Enabled = false;
        Text9.BackColor = lampYellow;
        cylinderHomeDrawingRight();
        Shape1.BackColor = lampWhite;
        journalLine("Cylinder höger bakåt  (Auto)");
        shrinkStep();
    });
}

} // namespace kav
