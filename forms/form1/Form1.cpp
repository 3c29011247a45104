// The About window's construction and binding table.
#include "forms/form1/Form1.h"

#include "forms/Binding.h"

namespace kav {

Form1::Form1(Program& program, Platform& platform) : Window(Form1Design()), program_(&program), platform_(&platform) {
    static const Binding<Form1> bindings[] = {{"Command1", Event::Click, &Form1::Command1_Click},
                                              {"Command2", Event::Click, &Form1::Command2_Click},
                                              {"Command3", Event::Click, &Form1::Command3_Click},
                                              {"Timer1", Event::Timer, &Form1::Timer1_Timer}};
    bindAll<Form1>(*this, bindings);
}

} // namespace kav
