// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::bok_Click() {}

void frmMain::Command6_Click() {}

void frmMain::sp_Click() {}

void frmMain::loggbok_Click() {}

void frmMain::bra_Click() {}

void frmMain::ta_Click(int) {}

} // namespace kav
