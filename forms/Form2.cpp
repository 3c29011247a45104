// The process-picture window's construction and binding table.
#include "forms/Form2.h"

namespace kav {

Form2::Form2(Program& program) : Window(Form2Design()), program_(&program) {
    bind("Command1", Event::Click, [this](const EventArgs&) { Command1_Click(); });
}

} // namespace kav
