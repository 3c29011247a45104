// The Linux stand-ins for the items of the launcher menu, the logbook editor
// among them.
//
// How a row is read: the launcher takes the candidates of the current desktop
// first (in the order XDG_CURRENT_DESKTOP names the desktops), then those that
// suit any desktop, then those of other desktops, each group in the order
// written here, and starts the first whose program it finds. So a settings
// panel of one desktop is tried on another desktop only when nothing better
// is installed. When no candidate is found, nothing happens, as with a failed
// launch on Windows.
#include "platform/launch/StandIns.h"

#include <algorithm>

namespace kav {

namespace {

LaunchCandidate any(std::vector<std::string> argv) { return {"", std::move(argv), {}}; }

LaunchCandidate on(std::string desktop, std::vector<std::string> argv) {
    return {std::move(desktop), std::move(argv), {}};
}

StandIn row(std::string item, std::vector<LaunchCandidate> candidates) {
    return {std::move(item), false, std::move(candidates)};
}

StandIn gameRow(std::string item, std::vector<LaunchCandidate> candidates) {
    return {std::move(item), true, std::move(candidates)};
}

// A help file of the help viewer: the nearest page of the desktop's own help,
// opened in the GNOME help viewer (which runs on any desktop) or, on KDE, the
// KDE help centre at the handbook that fits, where one does.
StandIn helpRow(std::string item, const std::string& gnomeHelpPage, const std::string& kdeHandbook = "") {
    std::string uri = "help:gnome-help";
    if (!gnomeHelpPage.empty()) uri += "/" + gnomeHelpPage;
    std::vector<std::string> kde{"khelpcenter"};
    if (!kdeHandbook.empty()) kde.push_back("help:/" + kdeHandbook);
    return row(std::move(item), {on("KDE", std::move(kde)), any({"yelp", uri})});
}

// A web page: the user's default browser through xdg-open, at the address
// the item's line opens.
StandIn webRow(std::string item) { return row(std::move(item), {any({"xdg-open", std::string(kAddressPlaceholder)})}); }

// The program's homepage and search page: the program's own HTML page that
// the install puts beside its documentation, so the link is never dead.
StandIn ownPageRow(std::string item) {
    return row(std::move(item), {any({"xdg-open", std::string(kDocPagePlaceholder)})});
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

std::vector<StandIn> buildTable() {
    const std::string home(kHomePlaceholder);
    const std::string logbookInWorkDir = std::string(kWorkDirPlaceholder) + "/kavrilon.ini";

    std::vector<StandIn> t;

    // Volume control: the desktop's sound settings, or the PulseAudio mixer,
    // which PipeWire desktops run as well.
    t.push_back(
        row("lym", concat(settingsCandidates({{"sound"}, "kcm_pulseaudio", "sound"}),
                          {on("MATE", {"mate-volume-control"}), any({"pavucontrol"}), any({"pavucontrol-qt"})})));
    // Sound recorder.
    t.push_back(row("spel", {on("KDE", {"krecorder"}), any({"gnome-sound-recorder"}), any({"audacity"})}));

    // Help files, each to the nearest page of the desktop help.
    t.push_back(helpRow("hj", "", "fundamentals"));
    t.push_back(helpRow("tool", "user-admin-explain"));
    t.push_back(helpRow("kor", "shell-keyboard-shortcuts", "kcontrol/khotkeys"));
    t.push_back(helpRow("vol", "sound-volume"));
    t.push_back(helpRow("ljud", "media"));
    t.push_back(helpRow("natverk", "net"));
    t.push_back(helpRow("nat", "net-general"));
    t.push_back(helpRow("adress", "contacts"));
    t.push_back(helpRow("panel", "prefs"));
    t.push_back(helpRow("skriv", "printing"));
    // The desktop help has no page of its own on the clipboard: its start page.
    t.push_back(helpRow("klipp", ""));
    t.push_back(helpRow("losen", "user-changepassword"));
    t.push_back(helpRow("fjarr", "sharing-desktop"));
    t.push_back(helpRow("alt", "power", "kcontrol/powerdevil"));
    t.push_back(helpRow("play", "media"));
    t.push_back(helpRow("behor", "nautilus-file-properties-permissions"));
    t.push_back(helpRow("out", "net-email"));

    // The control panel: the desktop's settings program at its start.
    t.push_back(row("kon", {on("GNOME", {"gnome-control-center"}), on("KDE", {"systemsettings"}),
                            on("XFCE", {"xfce4-settings-manager"}), on("MATE", {"mate-control-center"}),
                            on("X-Cinnamon", {"cinnamon-settings"}), on("LXQt", {"lxqt-config"})}));

    // Control-panel pages.
    t.push_back(row("screen", concat(settingsCandidates({{"display"}, "kcm_kscreen", "display"}),
                                     {on("XFCE", {"xfce4-display-settings"}), on("MATE", {"mate-display-properties"}),
                                      any({"arandr"})})));
    t.push_back(
        row("ener", concat(settingsCandidates({{"power"}, "kcm_powerdevilprofilesconfig", "power"}),
                           {on("XFCE", {"xfce4-power-manager-settings"}), on("MATE", {"mate-power-preferences"})})));
    t.push_back(row("mus", concat(settingsCandidates({{"mouse"}, "kcm_mouse", "mouse"}),
                                  {on("XFCE", {"xfce4-mouse-settings"}), on("MATE", {"mate-mouse-properties"})})));
    // System properties: the page about the computer and its system, named
    // "system" since GNOME 46, "info-overview" in GNOME 43 (Debian 12) and
    // "info" before.
    t.push_back(row("sys", concat(settingsCandidates({{"system", "info-overview", "info"}, "kcm_about-distro", "info"}),
                                  {on("XFCE", {"xfce4-about"})})));
    // Add or remove programs: the desktop's software centre.
    t.push_back(row("rtob", {on("KDE", {"plasma-discover"}), any({"gnome-software"})}));
    t.push_back(row("JOY", {on("KDE", {"kcmshell6", "kcm_gamecontroller"}), any({"jstest-gtk"})}));
    // Internet options: the network settings.
    t.push_back(row("alter", concat(settingsCandidates({{"network"}, "kcm_networkmanagement", "network"}),
                                    {any({"nm-connection-editor"})})));

    // Games.
    t.push_back(gameRow("sol", {on("KDE", {"kpat"}), any({"sol"})}));
    t.push_back(gameRow("mine", {on("KDE", {"kmines"}), any({"gnome-mines"})}));

    // Updates: the software centre at its updates page.
    t.push_back(row("uppdate", {on("KDE", {"plasma-discover", "--mode", "update"}),
                                any({"gnome-software", "--mode=updates"}), any({"update-manager"})}));

    // Web pages: four of the vendor's Swedish help site, and the program's own.
    t.push_back(webRow("winxp"));
    t.push_back(webRow("dows"));
    t.push_back(webRow("win7"));
    t.push_back(webRow("bekant"));
    t.push_back(ownPageRow("color"));
    t.push_back(ownPageRow("motor"));

    // The mail program; xdg-email opens whichever the user has chosen.
    t.push_back(
        row("epost", {on("GNOME", {"evolution"}), on("KDE", {"kmail"}), any({"thunderbird"}), any({"xdg-email"})}));
    // The file explorer: the user's home folder in the file manager.
    t.push_back(row("utfor", {any({"xdg-open", home})}));
    // System information: the desktop's system monitor.
    t.push_back(
        row("info", {on("KDE", {"plasma-systemmonitor"}), on("KDE", {"ksysguard"}), on("XFCE", {"xfce4-taskmanager"}),
                     on("MATE", {"mate-system-monitor"}), any({"gnome-system-monitor"})}));

    // The logbook in a text editor: the user's default editor for plain
    // text, else the desktop's own editor, else whatever xdg-open chooses.
    // The file is "kavrilon.ini" in the working directory, passed with its
    // full path.
    t.push_back(
        row("bok", {any({std::string(kDefaultApp) + "text/plain", logbookInWorkDir}),
                    on("GNOME", {"gnome-text-editor", logbookInWorkDir}), on("GNOME", {"gedit", logbookInWorkDir}),
                    on("KDE", {"kate", logbookInWorkDir}), on("KDE", {"kwrite", logbookInWorkDir}),
                    on("XFCE", {"mousepad", logbookInWorkDir}), on("MATE", {"pluma", logbookInWorkDir}),
                    on("X-Cinnamon", {"xed", logbookInWorkDir}), any({"xdg-open", logbookInWorkDir})}));
    return t;
}

} // namespace

const std::vector<StandIn>& standIns() {
    static const std::vector<StandIn> table = buildTable();
    return table;
}

const StandIn* findStandIn(std::string_view item) {
    const auto& t = standIns();
    auto it = std::find_if(t.begin(), t.end(), [&](const StandIn& r) { return r.item == item; });
    return it == t.end() ? nullptr : &*it;
}

} // namespace kav
