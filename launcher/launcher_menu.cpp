// TODO-STUB: handlers of this file are not written yet.
#include "forms/frmMain.h"

namespace kav {

void frmMain::lym_Click() {}

void frmMain::spel_Click() {}

void frmMain::hj_Click() {}

void frmMain::tool_Click() {}

void frmMain::kor_Click() {}

void frmMain::vol_Click() {}

void frmMain::ljud_Click() {}

void frmMain::natverk_Click() {}

void frmMain::nat_Click() {}

void frmMain::adress_Click() {}

void frmMain::panel_Click() {}

void frmMain::skriv_Click() {}

void frmMain::klipp_Click() {}

void frmMain::losen_Click() {}

void frmMain::fjarr_Click() {}

void frmMain::alt_Click() {}

void frmMain::play_Click() {}

void frmMain::behor_Click() {}

void frmMain::kon_Click() {}

void frmMain::screen_Click() {}

void frmMain::ener_Click() {}

void frmMain::mus_Click() {}

void frmMain::sys_Click() {}

void frmMain::rtob_Click(int) {}

void frmMain::JOY_Click() {}

void frmMain::alter_Click() {}

void frmMain::sol_Click() {}

void frmMain::mine_Click() {}

void frmMain::uppdate_Click() {}

void frmMain::winxp_Click() {}

void frmMain::dows_Click() {}

void frmMain::win7_Click() {}

void frmMain::bekant_Click() {}

void frmMain::color_Click() {}

void frmMain::motor_Click() {}

void frmMain::out_Click() {}

void frmMain::epost_Click() {}

void frmMain::utfor_Click() {}

void frmMain::info_Click() {}

} // namespace kav
