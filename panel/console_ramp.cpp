// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Command12_Click() {}

void frmMain::Command13_Click() {}

void frmMain::Timer15_Timer() {}

void frmMain::Timer16_Timer() {}

void frmMain::Timer17_Timer() {}

void frmMain::Timer18_Timer() {}

} // namespace kav
