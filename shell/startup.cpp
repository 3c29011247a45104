// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Form_Load() {}

void frmMain::Timer19_Timer() {}

void frmMain::Timer20_Timer() {}

void frmMain::Timer2_Timer() {}

} // namespace kav
