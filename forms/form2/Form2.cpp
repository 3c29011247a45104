// The process-picture window's construction and binding table.
#include "forms/form2/Form2.h"

#include "forms/Binding.h"

namespace kav {

Form2::Form2(Program& program, Platform& /*platform*/) : Window(Form2Design()), program_(&program) {
    static const Binding<Form2> bindings[] = {{"Command1", Event::Click, &Form2::Command1_Click}};
    bindAll<Form2>(*this, bindings);
}

} // namespace kav
