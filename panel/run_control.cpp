// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Timer21_Timer() {}

void frmMain::Timer23_Timer() {}

void frmMain::Timer24_Timer() {}

void frmMain::Command14_Click() {}

void frmMain::Command15_Click() {}

void frmMain::Command18_Click() {}

} // namespace kav
