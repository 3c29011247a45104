// The two vertical air cylinders: Man drives a cylinder to its front position
// and grows the window so the lower panel shows; Auto returns it home (the
// left one 1.9 s later through Timer14) and shrinks the window again. No
// command looks at where a cylinder stands.
#include "forms/main/frmMain.h"

#include "model/Colour.h"

namespace kav {

// Man, left cylinder.
void frmMain::Command11_Click() {
    Text9.BackColor = lampRed;
    Command10.Enabled = true;
    leftCylinder.draw(/*front=*/true);
    Shape2.BackColor = lampRed;
    journalLine("Varning: konsollen är inte låst.  ");
    growStep();
}

// Auto, left cylinder: only disables itself and starts the delayed return.
void frmMain::Command10_Click() {
    Command10.Enabled = false;
    Timer14.Enabled = true;
}

// The left cylinder's delayed return. It does not touch Command10, so a Man
// pressed while the return was pending leaves Auto enabled.
void frmMain::Timer14_Timer() {
    Text9.BackColor = lampYellow;
    leftCylinder.draw(/*front=*/false);
    Shape2.BackColor = lampWhite;
    Timer14.Enabled = false;
    journalLine("Cylinder vänster bakåt  (Auto)");
    shrinkStep();
}

// Man, right cylinder.
void frmMain::Command5_Click() {
    Text9.BackColor = lampRed;
    Command4.Enabled = true;
    rightCylinder.draw(/*front=*/true);
    Shape1.BackColor = lampRed;
    journalLine("Varning: konsollen är inte låst.  ");
    growStep();
}

// Auto, right cylinder: returns at once.
void frmMain::Command4_Click() {
    Command4.Enabled = false;
    Text9.BackColor = lampYellow;
    rightCylinder.draw(/*front=*/false);
    Shape1.BackColor = lampWhite;
    journalLine("Cylinder höger bakåt  (Auto)");
    shrinkStep();
}

} // namespace kav
