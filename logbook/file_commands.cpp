// The four commands on the logbook file as a file: open it in a text editor,
// copy it to drive A: or E: (D: copies to the same place as E:), and delete
// it. They name the file by its bare name, which the platform resolves in the
// working directory, and none of them writes a journal line or touches List1.
#include "forms/frmMain.h"
#include "launcher/LaunchItems.h"

namespace kav {

void frmMain::bindFileCommands() {
    // The button beside the logbook opens it in the editor as the menu item
    // "bok" of the launcher table does.
    bind("Command6", Event::Click, [this](const EventArgs&) {
        if (const LaunchItem* editor = findLaunchItem("bok")) platform().launch(*editor);
    });
    // Copies to the floppy and "burn" drives; the outcome is not looked at. The
    // D: item copies like its sisters, to the same medium as E:, so that its
    // caption tells the truth.
    bind("sp", Event::Click, [this](const EventArgs&) { platform().shellCopy("kavrilon.ini", R"(A:\kavrilon.ini)"); });
    bind("loggbok", Event::Click,
         [this](const EventArgs&) { platform().shellCopy("kavrilon.ini", R"(E:\kavrilon.ini)"); });
    bind("bra", Event::Click, [this](const EventArgs&) { platform().shellCopy("kavrilon.ini", R"(D:\kavrilon.ini)"); });
    // Deletes the file named by the hidden Text12; the one failure the program
    // reports itself.
    bind("ta", Event::Click, [this](const EventArgs&) {
        const bool ok = platform().shellDelete(Text12.Text.get());
        if (!ok) platform().messageBox(*this, "FEL !! Fil saknas!!", "Delete - FEL");
    });
}

} // namespace kav
