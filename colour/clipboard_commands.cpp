// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::cmdCopy_Click() {}

void frmMain::kop_Click() {}

void frmMain::Command3_Click() {}

void frmMain::Timer1_Timer() {}

} // namespace kav
