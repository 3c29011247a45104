// The main window's construction and its binding table: one row per
// (control, event) pair that has a handler. Controls and events without a row
// do nothing when raised.
#include "forms/frmMain.h"

namespace kav {

frmMain::frmMain(Program& program) : Window(frmMainDesign()), program_(&program) { bindHandlers(); }

void frmMain::bindHandlers() {
    bind("Form", Event::Load, [this](const EventArgs&) { Form_Load(); });
    bind("Timer19", Event::Timer, [this](const EventArgs&) { Timer19_Timer(); });
    bind("Timer20", Event::Timer, [this](const EventArgs&) { Timer20_Timer(); });
    bind("Timer2", Event::Timer, [this](const EventArgs&) { Timer2_Timer(); });
    bind("Command1", Event::Click, [this](const EventArgs&) { Command1_Click(); });
    bind("col", Event::Click, [this](const EventArgs&) { col_Click(); });
    bind("Command7", Event::Click, [this](const EventArgs&) { Command7_Click(); });
    bind("Form", Event::MouseDown,
         [this](const EventArgs& args) { Form_MouseDown(args.button, args.shift, args.x, args.y); });
    bind("Command2", Event::Click, [this](const EventArgs&) { Command2_Click(); });
    bind("om", Event::Click, [this](const EventArgs&) { om_Click(); });
    bind("ab", Event::Click, [this](const EventArgs&) { ab_Click(); });
    bind("lcp", Event::Click, [this](const EventArgs&) { lcp_Click(); });
    bind("cmdColor", Event::Click, [this](const EventArgs&) { cmdColor_Click(); });
    bind("cmdCopy", Event::Click, [this](const EventArgs&) { cmdCopy_Click(); });
    bind("kop", Event::Click, [this](const EventArgs&) { kop_Click(); });
    bind("Command3", Event::Click, [this](const EventArgs&) { Command3_Click(); });
    bind("Timer1", Event::Timer, [this](const EventArgs&) { Timer1_Timer(); });
    bind("Timer5", Event::Timer, [this](const EventArgs&) { Timer5_Timer(); });
    bind("Timer3", Event::Timer, [this](const EventArgs&) { Timer3_Timer(); });
    bind("Timer4", Event::Timer, [this](const EventArgs&) { Timer4_Timer(); });
    bind("Timer6", Event::Timer, [this](const EventArgs&) { Timer6_Timer(); });
    bind("Timer7", Event::Timer, [this](const EventArgs&) { Timer7_Timer(); });
    bind("Timer8", Event::Timer, [this](const EventArgs&) { Timer8_Timer(); });
    bind("Timer9", Event::Timer, [this](const EventArgs&) { Timer9_Timer(); });
    bind("bok", Event::Click, [this](const EventArgs&) { bok_Click(); });
    bind("Command6", Event::Click, [this](const EventArgs&) { Command6_Click(); });
    bind("sp", Event::Click, [this](const EventArgs&) { sp_Click(); });
    bind("loggbok", Event::Click, [this](const EventArgs&) { loggbok_Click(); });
    bind("bra", Event::Click, [this](const EventArgs&) { bra_Click(); });
    bind("ta", Event::Click, [this](const EventArgs& args) { ta_Click(args.index); });
    bind("Timer21", Event::Timer, [this](const EventArgs&) { Timer21_Timer(); });
    bind("Timer23", Event::Timer, [this](const EventArgs&) { Timer23_Timer(); });
    bind("Timer24", Event::Timer, [this](const EventArgs&) { Timer24_Timer(); });
    bind("Command14", Event::Click, [this](const EventArgs&) { Command14_Click(); });
    bind("Command15", Event::Click, [this](const EventArgs&) { Command15_Click(); });
    bind("Command18", Event::Click, [this](const EventArgs&) { Command18_Click(); });
    bind("Command16", Event::Click, [this](const EventArgs&) { Command16_Click(); });
    bind("Command17", Event::Click, [this](const EventArgs&) { Command17_Click(); });
    bind("Timer22", Event::Timer, [this](const EventArgs&) { Timer22_Timer(); });
    bind("Command11", Event::Click, [this](const EventArgs&) { Command11_Click(); });
    bind("Command10", Event::Click, [this](const EventArgs&) { Command10_Click(); });
    bind("Timer14", Event::Timer, [this](const EventArgs&) { Timer14_Timer(); });
    bind("Command5", Event::Click, [this](const EventArgs&) { Command5_Click(); });
    bind("Command4", Event::Click, [this](const EventArgs&) { Command4_Click(); });
    bind("Command12", Event::Click, [this](const EventArgs&) { Command12_Click(); });
    bind("Command13", Event::Click, [this](const EventArgs&) { Command13_Click(); });
    bind("Timer15", Event::Timer, [this](const EventArgs&) { Timer15_Timer(); });
    bind("Timer16", Event::Timer, [this](const EventArgs&) { Timer16_Timer(); });
    bind("Timer17", Event::Timer, [this](const EventArgs&) { Timer17_Timer(); });
    bind("Timer18", Event::Timer, [this](const EventArgs&) { Timer18_Timer(); });
    bind("lym", Event::Click, [this](const EventArgs&) { lym_Click(); });
    bind("spel", Event::Click, [this](const EventArgs&) { spel_Click(); });
    bind("hj", Event::Click, [this](const EventArgs&) { hj_Click(); });
    bind("tool", Event::Click, [this](const EventArgs&) { tool_Click(); });
    bind("kor", Event::Click, [this](const EventArgs&) { kor_Click(); });
    bind("vol", Event::Click, [this](const EventArgs&) { vol_Click(); });
    bind("ljud", Event::Click, [this](const EventArgs&) { ljud_Click(); });
    bind("natverk", Event::Click, [this](const EventArgs&) { natverk_Click(); });
    bind("nat", Event::Click, [this](const EventArgs&) { nat_Click(); });
    bind("adress", Event::Click, [this](const EventArgs&) { adress_Click(); });
    bind("panel", Event::Click, [this](const EventArgs&) { panel_Click(); });
    bind("skriv", Event::Click, [this](const EventArgs&) { skriv_Click(); });
    bind("klipp", Event::Click, [this](const EventArgs&) { klipp_Click(); });
    bind("losen", Event::Click, [this](const EventArgs&) { losen_Click(); });
    bind("fjarr", Event::Click, [this](const EventArgs&) { fjarr_Click(); });
    bind("alt", Event::Click, [this](const EventArgs&) { alt_Click(); });
    bind("play", Event::Click, [this](const EventArgs&) { play_Click(); });
    bind("behor", Event::Click, [this](const EventArgs&) { behor_Click(); });
    bind("kon", Event::Click, [this](const EventArgs&) { kon_Click(); });
    bind("screen", Event::Click, [this](const EventArgs&) { screen_Click(); });
    bind("ener", Event::Click, [this](const EventArgs&) { ener_Click(); });
    bind("mus", Event::Click, [this](const EventArgs&) { mus_Click(); });
    bind("sys", Event::Click, [this](const EventArgs&) { sys_Click(); });
    bind("rtob", Event::Click, [this](const EventArgs& args) { rtob_Click(args.index); });
    bind("JOY", Event::Click, [this](const EventArgs&) { JOY_Click(); });
    bind("alter", Event::Click, [this](const EventArgs&) { alter_Click(); });
    bind("sol", Event::Click, [this](const EventArgs&) { sol_Click(); });
    bind("mine", Event::Click, [this](const EventArgs&) { mine_Click(); });
    bind("uppdate", Event::Click, [this](const EventArgs&) { uppdate_Click(); });
    bind("winxp", Event::Click, [this](const EventArgs&) { winxp_Click(); });
    bind("dows", Event::Click, [this](const EventArgs&) { dows_Click(); });
    bind("win7", Event::Click, [this](const EventArgs&) { win7_Click(); });
    bind("bekant", Event::Click, [this](const EventArgs&) { bekant_Click(); });
    bind("color", Event::Click, [this](const EventArgs&) { color_Click(); });
    bind("motor", Event::Click, [this](const EventArgs&) { motor_Click(); });
    bind("out", Event::Click, [this](const EventArgs&) { out_Click(); });
    bind("epost", Event::Click, [this](const EventArgs&) { epost_Click(); });
    bind("utfor", Event::Click, [this](const EventArgs&) { utfor_Click(); });
    bind("info", Event::Click, [this](const EventArgs&) { info_Click(); });
    bind("Command8", Event::Click, [this](const EventArgs&) { Command8_Click(); });
    bind("Command9", Event::Click, [this](const EventArgs&) { Command9_Click(); });
    bind("Timer10", Event::Timer, [this](const EventArgs&) { Timer10_Timer(); });
    bind("Timer11", Event::Timer, [this](const EventArgs&) { Timer11_Timer(); });
    bind("Timer12", Event::Timer, [this](const EventArgs&) { Timer12_Timer(); });
    bind("Timer13", Event::Timer, [this](const EventArgs&) { Timer13_Timer(); });
    bind("win", Event::Click, [this](const EventArgs&) { win_Click(); });
}

std::string frmMain::logbookPath() const { return program_->platform().logbookPath(); }

} // namespace kav
