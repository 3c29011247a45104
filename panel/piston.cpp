// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Command16_Click() {}

void frmMain::Command17_Click() {}

void frmMain::Timer22_Timer() {}

} // namespace kav
