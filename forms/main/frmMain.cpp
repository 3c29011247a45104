// The main window's construction and its binding table: one row per
// (control, event) pair that has a handler; the journal chains' timers are
// bound by their own table, and every menu item the design marks as
// launching by one loop. Controls and events without a binding do nothing
// when raised.
#include "forms/main/frmMain.h"

#include "forms/Binding.h"

namespace kav {

namespace {

const Binding<frmMain> kBindings[] = {
    {"Form", Event::Load, &frmMain::Form_Load},
    {"Form", Event::MouseDown, &frmMain::Form_MouseDown},
    {"Timer2", Event::Timer, &frmMain::Timer2_Timer},
    {"Command1", Event::Click, &frmMain::Command1_Click},
    {"col", Event::Click, &frmMain::Command1_Click},
    {"Command7", Event::Click, &frmMain::Command7_Click},
    {"Command2", Event::Click, &frmMain::Command2_Click},
    {"om", Event::Click, &frmMain::Command2_Click},
    {"ab", Event::Click, &frmMain::ab_Click},
    {"lcp", Event::Click, &frmMain::lcp_Click},
    {"cmdColor", Event::Click, &frmMain::cmdColor_Click},
    {"cmdCopy", Event::Click, &frmMain::cmdCopy_Click},
    {"kop", Event::Click, &frmMain::kop_Click},
    {"Command3", Event::Click, &frmMain::Command3_Click},
    {"Timer1", Event::Timer, &frmMain::Timer1_Timer},
    {"Timer3", Event::Timer, &frmMain::Timer3_Timer},
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
    {"win", Event::Click, &frmMain::win_Click},
};

} // namespace

frmMain::frmMain(Program& program, Platform& platform, logbook::Logbook& book)
    : Window(frmMainDesign()), program_(&program), platform_(&platform), logbook_(&book) {
    bindAll<frmMain>(*this, kBindings);
    bindJournalChains();
    logbook().show(List1);
    for (const ControlDef& c : def().controls)
        if (c.launches)
            bind(c.name, Event::Click,
                 [this, item = LaunchItem{c.name, c.address}](const EventArgs&) { platform_->launch(item); });
}

} // namespace kav
