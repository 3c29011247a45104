// The four commands on the logbook file as a file: open it in a text editor,
// copy it to drive A: or E: (D: copies to the same place as E:), and delete
// it. The Logbook copies and deletes its own file; none of them writes a
// journal line or touches List1.
#include "forms/main/frmMain.h"

namespace kav {

// The button beside the logbook opens it in the editor as the menu item
// "bok" does.
void frmMain::Command6_Click() { platform().launch({"bok"}); }

// Copies to the floppy and "burn" drives; the outcome is not looked at.
void frmMain::sp_Click() { logbook().copy(R"(A:\kavrilon.ini)"); }

void frmMain::loggbok_Click() { logbook().copy(R"(E:\kavrilon.ini)"); }

// The D: item copies like its sisters, to the same medium as E:, so that its
// caption tells the truth.
void frmMain::bra_Click() { logbook().copy(R"(D:\kavrilon.ini)"); }

// Deletes the file named by the hidden Text12; the one failure the program
// reports itself.
void frmMain::ta_Click(int) {
    const bool ok = logbook().remove(Text12.Text.get());
    if (!ok) platform().messageBox(*this, "FEL !! Fil saknas!!", "Delete - FEL");
}

} // namespace kav
