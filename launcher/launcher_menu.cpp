// The launcher menu: each item starts one fixed Windows command line with a
// fixed show-window code and does nothing else. What runs on Linux in place of
// each line is the launch table's business (launcher/LaunchTable.cpp); a
// launch that finds nothing changes nothing and shows nothing.
#include "forms/frmMain.h"

namespace kav {

// Sound.
void frmMain::lym_Click() { platform().launch(R"(C:\windows\system32\sndvol32.exe)", 1); }

void frmMain::spel_Click() { platform().launch(R"(C:\windows\system32\sndrec32.exe)", 1); }

// Help files in the help viewer.
void frmMain::hj_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\WINDOWS.CHM)", 1); }

void frmMain::tool_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\admtools.CHM)", 1); }

void frmMain::kor_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\keyshort.chm)", 1); }

void frmMain::vol_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\sndvol32.chm)", 1); }

void frmMain::ljud_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\sounds.chm)", 1); }

void frmMain::natverk_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\network.chm)", 1); }

void frmMain::nat_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\netcfg.chm)", 1); }

void frmMain::adress_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\wab.chm)", 1); }

void frmMain::panel_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\cpanel.chm)", 1); }

void frmMain::skriv_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\printing.chm)", 1); }

void frmMain::klipp_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\clipbrd.chm)", 1); }

void frmMain::losen_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\key.chm)", 1); }

void frmMain::fjarr_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\mstsc.chm)", 1); }

void frmMain::alt_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\pwrmn.chm)", 1); }

void frmMain::play_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\wmplayer.chm)", 1); }

void frmMain::behor_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\aclui.chm)", 1); }

// The control panel and its pages; the pages are shown with code 5.
void frmMain::kon_Click() { platform().launch(R"(C:\windows\system32\control.exe)", 1); }

void frmMain::screen_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL desk.cpl", 5); }

void frmMain::ener_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", 5); }

void frmMain::mus_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL main.cpl", 5); }

void frmMain::sys_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl", 5); }

// A member of a menu control array; which member does not matter.
void frmMain::rtob_Click(int) { platform().launch("rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", 5); }

void frmMain::JOY_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL joy.cpl", 5); }

void frmMain::alter_Click() { platform().launch("rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl", 5); }

// Games.
void frmMain::sol_Click() { platform().launch(R"(C:\windows\system32\sol.exe)", 1); }

void frmMain::mine_Click() { platform().launch(R"(C:\windows\system32\winmine.exe)", 1); }

// Updates and web pages.
void frmMain::uppdate_Click() { platform().launch(R"(C:\windows\system32\wupdmgr.exe)", 1); }

void frmMain::winxp_Click() {
    platform().launch(
        R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/downloads)", 1);
}

void frmMain::dows_Click() {
    platform().launch(R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/help)",
                      1);
}

void frmMain::win7_Click() {
    platform().launch(
        R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows7/products/home)", 1);
}

void frmMain::bekant_Click() {
    platform().launch(
        R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/explore/get-to-know)",
        1);
}

// The program's homepage and its search page.
void frmMain::color_Click() {
    platform().launch(R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://kavrilon.example/)", 1);
}

void frmMain::motor_Click() {
    platform().launch(R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://kavrilon.example/sok)", 1);
}

// Mail.
void frmMain::out_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\msoe.chm)", 1); }

void frmMain::epost_Click() { platform().launch(R"(C:\Program\Outlook Express\msimn.exe)", 1); }

// The file explorer and system information.
void frmMain::utfor_Click() { platform().launch(R"(C:\windows\explorer.exe)", 1); }

void frmMain::info_Click() { platform().launch(R"(c:\windows\hh.exe C:\WINDOWS\Help\msinfo32.chm)", 1); }

} // namespace kav
