// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::Command1_Click() {}

void frmMain::col_Click() {}

void frmMain::Command7_Click() {}

void frmMain::Form_MouseDown(int, int, double, double) {}

void frmMain::Command2_Click() {}

void frmMain::om_Click() {}

void frmMain::ab_Click() {}

void frmMain::lcp_Click() {}

} // namespace kav
