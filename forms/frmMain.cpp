// The main window's construction and its binding table: one row per
// (control, event) pair that has a handler, and every item of the launcher
// table bound to the one launch handler. Controls and events without a
// binding do nothing when raised.
#include "forms/frmMain.h"

#include "forms/Binding.h"
#include "launcher/LaunchItems.h"

namespace kav {

namespace {

const Binding<frmMain> kBindings[] = {
    {"Form", Event::Load, &frmMain::Form_Load},
    {"Form", Event::MouseDown, &frmMain::Form_MouseDown},
    {"Timer19", Event::Timer, &frmMain::Timer19_Timer},
    {"Timer20", Event::Timer, &frmMain::Timer20_Timer},
    {"Timer2", Event::Timer, &frmMain::Timer2_Timer},
    {"Command1", Event::Click, &frmMain::Command1_Click},
    {"col", Event::Click, &frmMain::col_Click},
    {"Command7", Event::Click, &frmMain::Command7_Click},
    {"Command2", Event::Click, &frmMain::Command2_Click},
    {"om", Event::Click, &frmMain::om_Click},
    {"ab", Event::Click, &frmMain::ab_Click},
    {"lcp", Event::Click, &frmMain::lcp_Click},
    {"cmdColor", Event::Click, &frmMain::cmdColor_Click},
    {"cmdCopy", Event::Click, &frmMain::cmdCopy_Click},
    {"kop", Event::Click, &frmMain::kop_Click},
    {"Command3", Event::Click, &frmMain::Command3_Click},
    {"Timer1", Event::Timer, &frmMain::Timer1_Timer},
    {"Timer5", Event::Timer, &frmMain::Timer5_Timer},
    {"Timer3", Event::Timer, &frmMain::Timer3_Timer},
    {"Timer4", Event::Timer, &frmMain::Timer4_Timer},
    {"Timer6", Event::Timer, &frmMain::Timer6_Timer},
    {"Timer7", Event::Timer, &frmMain::Timer7_Timer},
    {"Timer8", Event::Timer, &frmMain::Timer8_Timer},
    {"Timer9", Event::Timer, &frmMain::Timer9_Timer},
    {"Command6", Event::Click, &frmMain::Command6_Click},
    {"sp", Event::Click, &frmMain::sp_Click},
    {"loggbok", Event::Click, &frmMain::loggbok_Click},
    {"bra", Event::Click, &frmMain::bra_Click},
    {"ta", Event::Click, &frmMain::ta_Click},
    {"Timer21", Event::Timer, &frmMain::Timer21_Timer},
    {"Timer23", Event::Timer, &frmMain::Timer23_Timer},
    {"Timer24", Event::Timer, &frmMain::Timer24_Timer},
    {"Command14", Event::Click, &frmMain::Command14_Click},
    {"Command15", Event::Click, &frmMain::Command15_Click},
    {"Command18", Event::Click, &frmMain::Command18_Click},
    {"Command16", Event::Click, &frmMain::Command16_Click},
    {"Command17", Event::Click, &frmMain::Command17_Click},
    {"Timer22", Event::Timer, &frmMain::Timer22_Timer},
    {"Command11", Event::Click, &frmMain::Command11_Click},
    {"Command10", Event::Click, &frmMain::Command10_Click},
    {"Timer14", Event::Timer, &frmMain::Timer14_Timer},
    {"Command5", Event::Click, &frmMain::Command5_Click},
    {"Command4", Event::Click, &frmMain::Command4_Click},
    {"Command12", Event::Click, &frmMain::Command12_Click},
    {"Command13", Event::Click, &frmMain::Command13_Click},
    {"Timer15", Event::Timer, &frmMain::Timer15_Timer},
    {"Timer16", Event::Timer, &frmMain::Timer16_Timer},
    {"Timer17", Event::Timer, &frmMain::Timer17_Timer},
    {"Timer18", Event::Timer, &frmMain::Timer18_Timer},
    {"Command8", Event::Click, &frmMain::Command8_Click},
    {"Command9", Event::Click, &frmMain::Command9_Click},
    {"Timer10", Event::Timer, &frmMain::Timer10_Timer},
    {"Timer11", Event::Timer, &frmMain::Timer11_Timer},
    {"Timer12", Event::Timer, &frmMain::Timer12_Timer},
    {"Timer13", Event::Timer, &frmMain::Timer13_Timer},
    {"win", Event::Click, &frmMain::win_Click},
};

} // namespace

frmMain::frmMain(Program& program) : Window(frmMainDesign()), program_(&program) {
    bindAll<frmMain>(*this, kBindings);
    for (const LaunchItem& item : launchItems())
        bind(item.name, Event::Click, [this, &item](const EventArgs&) { launcherItem_Click(item); });
}

std::string frmMain::logbookPath() const { return program_->platform().logbookPath(); }

} // namespace kav
