// The launcher menu: each item starts one fixed Windows command line with a
// fixed show-window code and does nothing else. A launch that finds nothing
// changes nothing in the window; the platform says in the status line which
// program is missing.
#include "forms/main/LaunchItems.h"

#include <algorithm>

namespace kav {

namespace {

constexpr LaunchItem kItems[] = {
    // Sound.
    {"lym", R"(C:\windows\system32\sndvol32.exe)", 1},
    {"spel", R"(C:\windows\system32\sndrec32.exe)", 1},
    // Help files in the help viewer.
    {"hj", R"(c:\windows\hh.exe C:\WINDOWS\Help\WINDOWS.CHM)", 1},
    {"tool", R"(c:\windows\hh.exe C:\WINDOWS\Help\admtools.CHM)", 1},
    {"kor", R"(c:\windows\hh.exe C:\WINDOWS\Help\keyshort.chm)", 1},
    {"vol", R"(c:\windows\hh.exe C:\WINDOWS\Help\sndvol32.chm)", 1},
    {"ljud", R"(c:\windows\hh.exe C:\WINDOWS\Help\sounds.chm)", 1},
    {"natverk", R"(c:\windows\hh.exe C:\WINDOWS\Help\network.chm)", 1},
    {"nat", R"(c:\windows\hh.exe C:\WINDOWS\Help\netcfg.chm)", 1},
    {"adress", R"(c:\windows\hh.exe C:\WINDOWS\Help\wab.chm)", 1},
    {"panel", R"(c:\windows\hh.exe C:\WINDOWS\Help\cpanel.chm)", 1},
    {"skriv", R"(c:\windows\hh.exe C:\WINDOWS\Help\printing.chm)", 1},
    {"klipp", R"(c:\windows\hh.exe C:\WINDOWS\Help\clipbrd.chm)", 1},
    {"losen", R"(c:\windows\hh.exe C:\WINDOWS\Help\key.chm)", 1},
    {"fjarr", R"(c:\windows\hh.exe C:\WINDOWS\Help\mstsc.chm)", 1},
    {"alt", R"(c:\windows\hh.exe C:\WINDOWS\Help\pwrmn.chm)", 1},
    {"play", R"(c:\windows\hh.exe C:\WINDOWS\Help\wmplayer.chm)", 1},
    {"behor", R"(c:\windows\hh.exe C:\WINDOWS\Help\aclui.chm)", 1},
    // The control panel and its pages; the pages are shown with code 5. Which
    // member of the "rtob" menu array is clicked does not matter.
    {"kon", R"(C:\windows\system32\control.exe)", 1},
    {"screen", "rundll32.exe shell32.dll,Control_RunDLL desk.cpl", 5},
    {"ener", "rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", 5},
    {"mus", "rundll32.exe shell32.dll,Control_RunDLL main.cpl", 5},
    {"sys", "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl", 5},
    {"rtob", "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", 5},
    {"JOY", "rundll32.exe shell32.dll,Control_RunDLL joy.cpl", 5},
    {"alter", "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl", 5},
    // Games.
    {"sol", R"(C:\windows\system32\sol.exe)", 1},
    {"mine", R"(C:\windows\system32\winmine.exe)", 1},
    // Updates and web pages, the last two the program's homepage and its
    // search page.
    {"uppdate", R"(C:\windows\system32\wupdmgr.exe)", 1},
    {"winxp", R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/downloads)", 1},
    {"dows", R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/help)", 1},
    {"win7", R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows7/products/home)",
     1},
    {"bekant",
     R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://support.microsoft.com/sv-SE/windows/explore/get-to-know)", 1},
    {"color", R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://kavrilon.example/)", 1},
    {"motor", R"(C:\Program\Internet Explorer\IEXPLORE.EXE https://kavrilon.example/sok)", 1},
    // Mail.
    {"out", R"(c:\windows\hh.exe C:\WINDOWS\Help\msoe.chm)", 1},
    {"epost", R"(C:\Program\Outlook Express\msimn.exe)", 1},
    // The file explorer, system information, and the logbook in the editor
    // (its button Command6 starts the same line).
    {"utfor", R"(C:\windows\explorer.exe)", 1},
    {"info", R"(c:\windows\hh.exe C:\WINDOWS\Help\msinfo32.chm)", 1},
    {"bok", R"(C:\windows\notepad.exe kavrilon.ini)", 1},
};

} // namespace

std::span<const LaunchItem> launchItems() { return kItems; }

const LaunchItem* findLaunchItem(std::string_view name) {
    const auto* it =
        std::find_if(std::begin(kItems), std::end(kItems), [&](const LaunchItem& item) { return item.name == name; });
    return it == std::end(kItems) ? nullptr : it;
}

} // namespace kav
