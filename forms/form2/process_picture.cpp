// The process picture's Exit button, and what closing it by its frame means.
#include "forms/Program.h"
#include "forms/form2/Form2.h"

namespace kav {

void Form2::Command1_Click() { Hide(); }

void Form2::requestClose() { program_->unloadForm2(); }

} // namespace kav
