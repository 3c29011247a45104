// The Linux stand-ins for the Windows command lines of the launcher menu and
// the logbook editor command.
//
// How a row is read: the launcher takes the candidates of the current desktop
// first (in the order XDG_CURRENT_DESKTOP names the desktops), then those that
// suit any desktop, then those of other desktops, each group in the order
// written here, and starts the first whose program it finds. So a settings
// panel of one desktop is tried on another desktop only when nothing better
// is installed. When no candidate is found, nothing happens, as with a failed
// launch on Windows.
#include "launcher/LaunchTable.h"

#include <algorithm>

namespace kav {

namespace {

// The browser as the menu names it; the rest of the line is the address.
constexpr std::string_view kBrowser = R"(C:\Program\Internet Explorer\IEXPLORE.EXE)";
// The help viewer and the folder of the help files.
constexpr std::string_view kHelpViewer = R"(c:\windows\hh.exe C:\WINDOWS\Help\)";

LaunchCandidate any(std::vector<std::string> argv) { return {"", std::move(argv), {}}; }

LaunchCandidate on(std::string desktop, std::vector<std::string> argv) {
    return {std::move(desktop), std::move(argv), {}};
}

LaunchRow row(std::string commandLine, std::string items, std::vector<LaunchCandidate> candidates) {
    return {std::move(commandLine), std::move(items), false, std::move(candidates)};
}

LaunchRow gameRow(std::string commandLine, std::string items, std::vector<LaunchCandidate> candidates) {
    return {std::move(commandLine), std::move(items), true, std::move(candidates)};
}

// A help file of the help viewer: the nearest page of the desktop's own help,
// opened in the GNOME help viewer (which runs on any desktop) or, on KDE, the
// KDE help centre at the handbook that fits, where one does.
LaunchRow helpRow(std::string_view helpFile, std::string items, const std::string& gnomeHelpPage,
                  const std::string& kdeHandbook = "") {
    std::string uri = "help:gnome-help";
    if (!gnomeHelpPage.empty()) uri += "/" + gnomeHelpPage;
    std::vector<std::string> kde{"khelpcenter"};
    if (!kdeHandbook.empty()) kde.push_back("help:/" + kdeHandbook);
    return row(std::string(kHelpViewer) + std::string(helpFile), std::move(items),
               {on("KDE", std::move(kde)), any({"yelp", uri})});
}

// A web page: the user's default browser through xdg-open.
LaunchRow webRow(const std::string& address, std::string items) {
    return row(std::string(kBrowser) + " " + address, std::move(items), {any({"xdg-open", address})});
}

// The program's homepage and search page: the program's own HTML page that
// the install puts beside its documentation, so the link is never dead.
LaunchRow ownPageRow(const std::string& address, std::string items) {
    return row(std::string(kBrowser) + " " + address, std::move(items),
               {any({"xdg-open", std::string(kDocPagePlaceholder)})});
}

// A page of the desktop's settings: each desktop's own settings program
// opened at the nearest panel.
struct SettingsPanel {
    std::vector<std::string> gnome; // gnome-control-center panel, newest name first
    std::string kde;                // KDE control module
    std::string cinnamon;           // cinnamon-settings module
};

std::vector<LaunchCandidate> settingsCandidates(const SettingsPanel& p) {
    std::vector<LaunchCandidate> c;
    // The panels' names change between GNOME releases: the launcher passes
    // the first name the installed version lists.
    if (!p.gnome.empty()) c.push_back({"GNOME", {"gnome-control-center"}, p.gnome});
    if (!p.kde.empty()) {
        c.push_back(on("KDE", {"kcmshell6", p.kde}));
        c.push_back(on("KDE", {"systemsettings", p.kde}));
    }
    if (!p.cinnamon.empty()) c.push_back(on("X-Cinnamon", {"cinnamon-settings", p.cinnamon}));
    return c;
}

std::vector<LaunchCandidate> concat(std::vector<LaunchCandidate> a, std::vector<LaunchCandidate> b) {
    for (auto& x : b)
        a.push_back(std::move(x));
    return a;
}

std::vector<LaunchRow> buildTable() {
    const std::string home(kHomePlaceholder);
    const std::string logbookInWorkDir = std::string(kWorkDirPlaceholder) + "/kavrilon.ini";

    std::vector<LaunchRow> t;

    // Volume control: the desktop's sound settings, or the PulseAudio mixer,
    // which PipeWire desktops run as well.
    t.push_back(row(R"(C:\windows\system32\sndvol32.exe)", "lym",
                    concat(settingsCandidates({{"sound"}, "kcm_pulseaudio", "sound"}),
                           {on("MATE", {"mate-volume-control"}), any({"pavucontrol"}), any({"pavucontrol-qt"})})));
    // Sound recorder.
    t.push_back(row(R"(C:\windows\system32\sndrec32.exe)", "spel",
                    {on("KDE", {"krecorder"}), any({"gnome-sound-recorder"}), any({"audacity"})}));

    // Help files, each to the nearest page of the desktop help.
    t.push_back(helpRow("WINDOWS.CHM", "hj", "", "fundamentals"));
    t.push_back(helpRow("admtools.CHM", "tool", "user-admin-explain"));
    t.push_back(helpRow("keyshort.chm", "kor", "shell-keyboard-shortcuts", "kcontrol/khotkeys"));
    t.push_back(helpRow("sndvol32.chm", "vol", "sound-volume"));
    t.push_back(helpRow("sounds.chm", "ljud", "media"));
    t.push_back(helpRow("network.chm", "natverk", "net"));
    t.push_back(helpRow("netcfg.chm", "nat", "net-general"));
    t.push_back(helpRow("wab.chm", "adress", "contacts"));
    t.push_back(helpRow("cpanel.chm", "panel", "prefs"));
    t.push_back(helpRow("printing.chm", "skriv", "printing"));
    // The desktop help has no page of its own on the clipboard: its start page.
    t.push_back(helpRow("clipbrd.chm", "klipp", ""));
    t.push_back(helpRow("key.chm", "losen", "user-changepassword"));
    t.push_back(helpRow("mstsc.chm", "fjarr", "sharing-desktop"));
    t.push_back(helpRow("pwrmn.chm", "alt", "power", "kcontrol/powerdevil"));
    t.push_back(helpRow("wmplayer.chm", "play", "media"));
    t.push_back(helpRow("aclui.chm", "behor", "nautilus-file-properties-permissions"));
    t.push_back(helpRow("msoe.chm", "out", "net-email"));

    // The control panel: the desktop's settings program at its start.
    t.push_back(row(R"(C:\windows\system32\control.exe)", "kon",
                    {on("GNOME", {"gnome-control-center"}), on("KDE", {"systemsettings"}),
                     on("XFCE", {"xfce4-settings-manager"}), on("MATE", {"mate-control-center"}),
                     on("X-Cinnamon", {"cinnamon-settings"}), on("LXQt", {"lxqt-config"})}));

    // Control-panel pages.
    t.push_back(row(
        "rundll32.exe shell32.dll,Control_RunDLL desk.cpl", "screen",
        concat(settingsCandidates({{"display"}, "kcm_kscreen", "display"}),
               {on("XFCE", {"xfce4-display-settings"}), on("MATE", {"mate-display-properties"}), any({"arandr"})})));
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", "ener",
                    concat(settingsCandidates({{"power"}, "kcm_powerdevilprofilesconfig", "power"}),
                           {on("XFCE", {"xfce4-power-manager-settings"}), on("MATE", {"mate-power-preferences"})})));
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL main.cpl", "mus",
                    concat(settingsCandidates({{"mouse"}, "kcm_mouse", "mouse"}),
                           {on("XFCE", {"xfce4-mouse-settings"}), on("MATE", {"mate-mouse-properties"})})));
    // System properties: the page about the computer and its system, named
    // "system" since GNOME 46, "info-overview" in GNOME 43 (Debian 12) and
    // "info" before.
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl", "sys",
                    concat(settingsCandidates({{"system", "info-overview", "info"}, "kcm_about-distro", "info"}),
                           {on("XFCE", {"xfce4-about"})})));
    // Add or remove programs: the desktop's software centre.
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", "rtob",
                    {on("KDE", {"plasma-discover"}), any({"gnome-software"})}));
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL joy.cpl", "JOY",
                    {on("KDE", {"kcmshell6", "kcm_gamecontroller"}), any({"jstest-gtk"})}));
    // Internet options: the network settings.
    t.push_back(row("rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl", "alter",
                    concat(settingsCandidates({{"network"}, "kcm_networkmanagement", "network"}),
                           {any({"nm-connection-editor"})})));

    // Games.
    t.push_back(gameRow(R"(C:\windows\system32\sol.exe)", "sol", {on("KDE", {"kpat"}), any({"sol"})}));
    t.push_back(gameRow(R"(C:\windows\system32\winmine.exe)", "mine", {on("KDE", {"kmines"}), any({"gnome-mines"})}));

    // Updates: the software centre at its updates page.
    t.push_back(row(R"(C:\windows\system32\wupdmgr.exe)", "uppdate",
                    {on("KDE", {"plasma-discover", "--mode", "update"}), any({"gnome-software", "--mode=updates"}),
                     any({"update-manager"})}));

    // Web pages: four of the vendor's Swedish help site, and the program's own.
    t.push_back(webRow("https://support.microsoft.com/sv-SE/windows/downloads", "winxp"));
    t.push_back(webRow("https://support.microsoft.com/sv-SE/windows/help", "dows"));
    t.push_back(webRow("https://support.microsoft.com/sv-SE/windows7/products/home", "win7"));
    t.push_back(webRow("https://support.microsoft.com/sv-SE/windows/explore/get-to-know", "bekant"));
    t.push_back(ownPageRow("https://kavrilon.example/", "color"));
    t.push_back(ownPageRow("https://kavrilon.example/sok", "motor"));

    // The mail program; xdg-email opens whichever the user has chosen.
    t.push_back(row(R"(C:\Program\Outlook Express\msimn.exe)", "epost",
                    {on("GNOME", {"evolution"}), on("KDE", {"kmail"}), any({"thunderbird"}), any({"xdg-email"})}));
    // The file explorer: the user's home folder in the file manager.
    t.push_back(row(R"(C:\windows\explorer.exe)", "utfor", {any({"xdg-open", home})}));
    // System information: the desktop's system monitor.
    t.push_back(row(R"(c:\windows\hh.exe C:\WINDOWS\Help\msinfo32.chm)", "info",
                    {on("KDE", {"plasma-systemmonitor"}), on("KDE", {"ksysguard"}), on("XFCE", {"xfce4-taskmanager"}),
                     on("MATE", {"mate-system-monitor"}), any({"gnome-system-monitor"})}));

    // The logbook in a text editor: the user's default editor for plain
    // text, else the desktop's own editor, else whatever xdg-open chooses.
    // The file is "kavrilon.ini" in the working directory, passed with its
    // full path.
    t.push_back(row(R"(C:\windows\notepad.exe kavrilon.ini)", "bok, Command6",
                    {any({std::string(kDefaultApp) + "text/plain", logbookInWorkDir}),
                     on("GNOME", {"gnome-text-editor", logbookInWorkDir}), on("GNOME", {"gedit", logbookInWorkDir}),
                     on("KDE", {"kate", logbookInWorkDir}), on("KDE", {"kwrite", logbookInWorkDir}),
                     on("XFCE", {"mousepad", logbookInWorkDir}), on("MATE", {"pluma", logbookInWorkDir}),
                     on("X-Cinnamon", {"xed", logbookInWorkDir}), any({"xdg-open", logbookInWorkDir})}));
    return t;
}

} // namespace

const std::vector<LaunchRow>& launchTable() {
    static const std::vector<LaunchRow> table = buildTable();
    return table;
}

const LaunchRow* findLaunchRow(std::string_view commandLine) {
    const auto& t = launchTable();
    auto it = std::find_if(t.begin(), t.end(), [&](const LaunchRow& r) { return r.commandLine == commandLine; });
    return it == t.end() ? nullptr : &*it;
}

} // namespace kav
