// The click of "Välj färg..": puts the panel into its running look, lets the
// user choose a colour, shows its code in txtColor, then moves the piston out
// and starts the new-colour journal chain and the piston's return timer.
#include "colour/HexRGB.h"
#include "forms/main/frmMain.h"

#include <cstdint>
#include <optional>

namespace kav {

void frmMain::cmdColor_Click() {
    // The panel's running look, set before the dialog opens.
    runningLook();
    Text13.BackColor = lampGreen;
    Text4.BackColor = lampGreen;

    // A cancelled dialog, or one that could not be shown, counts as a failed
    // step: the code box keeps its code and the click goes on below.
    if (const std::optional<Colour> chosen = platform().chooseColour(*this))
        txtColor.Text = HexRGB(static_cast<std::int32_t>(*chosen));

    // From here on every click runs the same steps, whatever the dialog did.
    Timer5.Enabled = true;
    pistonDrawing(/*out=*/true, /*codeLamp=*/true);
    Timer22.Enabled = true;
}

} // namespace kav
