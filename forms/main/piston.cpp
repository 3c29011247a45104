// The small piston of the panel: Man runs it out, Auto brings it home, and the
// return timer brings it home 4 s after a colour selection ran it out.
#include "forms/main/frmMain.h"

namespace kav {

// Auto.
void frmMain::Command16_Click() {
    pistonDrawing(/*out=*/false, /*codeLamp=*/false);
    Command16.Enabled = false;
}

// Man. It is never disabled, so it can be pressed with the piston already out.
void frmMain::Command17_Click() {
    pistonDrawing(/*out=*/true, /*codeLamp=*/false);
    Command16.Enabled = true;
}

// The piston's return after a colour selection. It leaves the Auto button as
// it is, and darkens the colour-code-ready lamp.
void frmMain::Timer22_Timer() {
    pistonDrawing(/*out=*/false, /*codeLamp=*/true);
    Timer22.Enabled = false;
}

} // namespace kav
