// TODO-STUB: handlers of the About window and the picture window.
#include "forms/Form1.h"
#include "forms/Form2.h"

namespace kav {

void Form1::Command1_Click() {}
void Form1::Command2_Click() {}
void Form1::Command3_Click() {}
void Form1::Timer1_Timer() {}
void Form1::copyAddress(Control&, Control&) {}
void Form2::Command1_Click() {}

} // namespace kav
