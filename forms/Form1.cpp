// The About window's construction and binding table.
#include "forms/Form1.h"

namespace kav {

Form1::Form1(Program& program) : Window(Form1Design()), program_(&program) {
    bind("Command1", Event::Click, [this](const EventArgs&) { Command1_Click(); });
    bind("Command2", Event::Click, [this](const EventArgs&) { Command2_Click(); });
    bind("Command3", Event::Click, [this](const EventArgs&) { Command3_Click(); });
    bind("Timer1", Event::Timer, [this](const EventArgs&) { Timer1_Timer(); });
}

} // namespace kav
