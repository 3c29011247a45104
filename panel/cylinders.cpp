// The two vertical air cylinders: Man drives a cylinder to its front position
// and grows the window so the lower panel shows; Auto returns it home (the
// left one 1.9 s later through Timer14) and shrinks the window again. No
// command looks at where a cylinder stands.
#include "forms/frmMain.h"

#include "model/Colour.h"

namespace kav {

void frmMain::bindCylinders() {
    // Man: the cylinder to its front position, its Auto enabled, its barrel red.
    const auto man = [this](const PositionDrawing& cylinder, Control& autoButton, Control& barrel) {
        Text9.BackColor = lampRed;
        autoButton.Enabled = true;
        cylinder.draw(/*front=*/true);
        barrel.BackColor = lampRed;
        journalLine("Varning: konsollen är inte låst.  ");
        growStep();
    };
    bind("Command11", Event::Click, [this, man](const EventArgs&) { man(leftCylinder, Command10, Shape2); });
    bind("Command5", Event::Click, [this, man](const EventArgs&) { man(rightCylinder, Command4, Shape1); });
    // Auto, left cylinder: only disables itself and starts the delayed return.
    bind("Command10", Event::Click, [this](const EventArgs&) {
        Command10.Enabled = false;
        Timer14.Enabled = true;
    });
    // The left cylinder's delayed return. It does not touch Command10, so a Man
    // pressed while the return was pending leaves Auto enabled.
    bind("Timer14", Event::Timer, [this](const EventArgs&) {
        Text9.BackColor = lampYellow;
        leftCylinder.draw(/*front=*/false);
        Shape2.BackColor = lampWhite;
        Timer14.Enabled = false;
        journalLine("Cylinder vänster bakåt  (Auto)");
        shrinkStep();
    });
    // Auto, right cylinder: returns at once.
    bind("Command4", Event::Click, [this](const EventArgs&) {
        Command4.Enabled = false;
        Text9.BackColor = lampYellow;
        rightCylinder.draw(/*front=*/false);
        Shape1.BackColor = lampWhite;
        journalLine("Cylinder höger bakåt  (Auto)");
        shrinkStep();
    });
}

} // namespace kav
