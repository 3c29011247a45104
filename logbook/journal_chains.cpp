// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Timer5_Timer() {}

void frmMain::Timer3_Timer() {}

void frmMain::Timer4_Timer() {}

void frmMain::Timer6_Timer() {}

void frmMain::Timer7_Timer() {}

void frmMain::Timer8_Timer() {}

void frmMain::Timer9_Timer() {}

} // namespace kav
