// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Command11_Click() {}

void frmMain::Command10_Click() {}

void frmMain::Timer14_Timer() {}

void frmMain::Command5_Click() {}

void frmMain::Command4_Click() {}

} // namespace kav
