// The main window's own commands: ending the program (by its frame too),
// minimising, the right-button context menu, the About box, and opening the About window and
// the process picture.
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/frmMain.h"

#include <string_view>

namespace kav {

void frmMain::requestClose() { platform().endProgram(); }

void frmMain::bindWindowCommands() {
    for (std::string_view name : {"Command1", "col"})
        bind(name, Event::Click, [this](const EventArgs&) { platform().endProgram(); });
    bind("Command7", Event::Click, [this](const EventArgs&) { WindowState = 1; });
    // Only the right button opens the file menu; the shift state and the
    // position play no part (the menu opens where the mouse is).
    bind("Form", Event::MouseDown, [this](const EventArgs& a) {
        if (a.button == 2) PopupMenu("ar");
    });
    for (std::string_view name : {"Command2", "om"})
        bind(name, Event::Click, [this](const EventArgs&) {
            platform().aboutBox(*this, "Kavrilon * Färg koder för hemsidan..",
                                "Utvecklat av Vendel Hagmark - Skarnvik, Hallmyra");
        });
    bind("ab", Event::Click, [this](const EventArgs&) { program().loadForm1().Show(); });
    bind("lcp", Event::Click, [this](const EventArgs&) { program().loadForm2().Show(); });
}

} // namespace kav
