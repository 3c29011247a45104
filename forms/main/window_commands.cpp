// The main window's own commands: ending the program (by its frame too),
// minimising, the right-button context menu, the About box, and opening the About window and
// the process picture.
#include "forms/Program.h"
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "forms/main/frmMain.h"

#include <string_view>

namespace kav {

void frmMain::Command1_Click() { platform().endProgram(); }

void frmMain::requestClose() { platform().endProgram(); }

void frmMain::Command7_Click() { WindowState = 1; }

// Only the right button opens the file menu; the shift state and the position
// play no part (the menu opens where the mouse is).
void frmMain::Form_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    if (Button == 2) PopupMenu("ar");
}

namespace {

void showAboutBox(frmMain& w) {
    const std::string_view appText = "Kavrilon * Färg koder för hemsidan..";
    const std::string_view otherText = "Utvecklat av Vendel Hagmark - Skarnvik, Hallmyra";
    w.platform().aboutBox(w, appText, otherText);
}

} // namespace

void frmMain::Command2_Click() { showAboutBox(*this); }

void frmMain::ab_Click() { program().loadForm1().Show(); }

void frmMain::lcp_Click() { program().loadForm2().Show(); }

} // namespace kav
