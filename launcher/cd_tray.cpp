// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Command8_Click() {}

void frmMain::Command9_Click() {}

void frmMain::Timer10_Timer() {}

void frmMain::Timer11_Timer() {}

void frmMain::Timer12_Timer() {}

void frmMain::Timer13_Timer() {}

} // namespace kav
