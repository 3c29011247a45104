// The process-picture window's construction and binding table.
#include "forms/Form2.h"

#include "forms/Binding.h"

namespace kav {

namespace {

const Binding<Form2> kBindings[] = {
    {"Command1", Event::Click, &Form2::Command1_Click},
};

} // namespace

Form2::Form2(Program& /*program*/) : Window(Form2Design()) { bindAll<Form2>(*this, kBindings); }

} // namespace kav
