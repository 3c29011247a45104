#include "platform/launch/StandIns.h"

#include <array>

namespace kav {

namespace {

LaunchCandidate any(std::vector<std::string> argv) { return {"", std::move(argv), {}}; }

LaunchCandidate on(std::string desktop, std::vector<std::string> argv) {
    return {std::move(desktop), std::move(argv), {}};
}

StandIn row(std::string item, std::vector<LaunchCandidate> candidates, bool game = false) {
    return {std::move(item), game, std::move(candidates)};
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

// A page in the user's default browser, through xdg-open.
StandIn pageRow(std::string item, std::string_view placeholder) {
    return row(std::move(item), {any({"xdg-open", std::string(placeholder)})});
}

// A page of the desktop's settings: each desktop's own settings program
// opened at the nearest panel.
struct SettingsPanel {
    std::vector<std::string> gnome; // gnome-control-center panel, newest name first
    std::string kde;                // KDE control module
    std::string cinnamon;           // cinnamon-settings module
};

// The settings programs at the panel, then the `more` candidates.
StandIn settingsRow(std::string item, const SettingsPanel& p, const std::vector<LaunchCandidate>& more) {
    std::vector<LaunchCandidate> c;
    // The panels' names change between GNOME releases: the launcher passes
    // the first name the installed version lists.
    if (!p.gnome.empty()) c.push_back({"GNOME", {"gnome-control-center"}, p.gnome});
    if (!p.kde.empty()) {
        c.push_back(on("KDE", {"kcmshell6", p.kde}));
        c.push_back(on("KDE", {"systemsettings", p.kde}));
    }
    if (!p.cinnamon.empty()) c.push_back(on("X-Cinnamon", {"cinnamon-settings", p.cinnamon}));
    c.insert(c.end(), more.begin(), more.end());
    return row(std::move(item), std::move(c));
}

std::vector<StandIn> buildTable() {
    const std::string home(kHomePlaceholder);
    const std::string logbookInWorkDir = std::string(kWorkDirPlaceholder) + "/kavrilon.ini";

    std::vector<StandIn> t;

    // Volume control: the desktop's sound settings, or the PulseAudio mixer,
    // which PipeWire desktops run as well.
    t.push_back(settingsRow("lym", {{"sound"}, "kcm_pulseaudio", "sound"},
                            {on("MATE", {"mate-volume-control"}), any({"pavucontrol"}), any({"pavucontrol-qt"})}));
    // Sound recorder.
    t.push_back(row("spel", {on("KDE", {"krecorder"}), any({"gnome-sound-recorder"}), any({"audacity"})}));

    // Help files: item, GNOME help page, KDE handbook. The desktop help has no
    // page of its own on the clipboard ("klipp"): its start page.
    using Help = std::array<const char*, 3>;
    for (const auto& [item, gnome, kde] :
         {Help{"hj", "", "fundamentals"}, Help{"tool", "user-admin-explain", ""},
          Help{"kor", "shell-keyboard-shortcuts", "kcontrol/khotkeys"}, Help{"vol", "sound-volume", ""},
          Help{"ljud", "media", ""}, Help{"natverk", "net", ""}, Help{"nat", "net-general", ""},
          Help{"adress", "contacts", ""}, Help{"panel", "prefs", ""}, Help{"skriv", "printing", ""},
          Help{"klipp", "", ""}, Help{"losen", "user-changepassword", ""}, Help{"fjarr", "sharing-desktop", ""},
          Help{"alt", "power", "kcontrol/powerdevil"}, Help{"play", "media", ""},
          Help{"behor", "nautilus-file-properties-permissions", ""}, Help{"out", "net-email", ""}})
        t.push_back(helpRow(item, gnome, kde));

    // The control panel: the desktop's settings program at its start.
    t.push_back(row("kon", {on("GNOME", {"gnome-control-center"}), on("KDE", {"systemsettings"}),
                            on("XFCE", {"xfce4-settings-manager"}), on("MATE", {"mate-control-center"}),
                            on("X-Cinnamon", {"cinnamon-settings"}), on("LXQt", {"lxqt-config"})}));

    // Control-panel pages.
    t.push_back(settingsRow(
        "screen", {{"display"}, "kcm_kscreen", "display"},
        {on("XFCE", {"xfce4-display-settings"}), on("MATE", {"mate-display-properties"}), any({"arandr"})}));
    t.push_back(settingsRow("ener", {{"power"}, "kcm_powerdevilprofilesconfig", "power"},
                            {on("XFCE", {"xfce4-power-manager-settings"}), on("MATE", {"mate-power-preferences"})}));
    t.push_back(settingsRow("mus", {{"mouse"}, "kcm_mouse", "mouse"},
                            {on("XFCE", {"xfce4-mouse-settings"}), on("MATE", {"mate-mouse-properties"})}));
    // System properties: the page about the computer and its system, named
    // "system" since GNOME 46, "info-overview" in GNOME 43 (Debian 12) and
    // "info" before.
    t.push_back(settingsRow("sys", {{"system", "info-overview", "info"}, "kcm_about-distro", "info"},
                            {on("XFCE", {"xfce4-about"})}));
    // Add or remove programs: the desktop's software centre.
    t.push_back(row("rtob", {on("KDE", {"plasma-discover"}), any({"gnome-software"})}));
    t.push_back(row("JOY", {on("KDE", {"kcmshell6", "kcm_gamecontroller"}), any({"jstest-gtk"})}));
    // Internet options: the network settings.
    t.push_back(
        settingsRow("alter", {{"network"}, "kcm_networkmanagement", "network"}, {any({"nm-connection-editor"})}));

    // Games.
    t.push_back(row("sol", {on("KDE", {"kpat"}), any({"sol"})}, true));
    t.push_back(row("mine", {on("KDE", {"kmines"}), any({"gnome-mines"})}, true));

    // Updates: the software centre at its updates page.
    t.push_back(row("uppdate", {on("KDE", {"plasma-discover", "--mode", "update"}),
                                any({"gnome-software", "--mode=updates"}), any({"update-manager"})}));

    // Web pages: four of the vendor's Swedish help site at the address the
    // item's line opens, and the program's homepage and search page, which
    // are its own HTML page so the link is never dead.
    for (const char* item : {"winxp", "dows", "win7", "bekant"})
        t.push_back(pageRow(item, kAddressPlaceholder));
    for (const char* item : {"color", "motor"})
        t.push_back(pageRow(item, kDocPagePlaceholder));

    // The mail program; xdg-email opens whichever the user has chosen.
    t.push_back(
        row("epost", {on("GNOME", {"evolution"}), on("KDE", {"kmail"}), any({"thunderbird"}), any({"xdg-email"})}));
    // The file explorer: the user's home folder in the file manager.
    t.push_back(row("utfor", {any({"xdg-open", home})}));
    // System information: the desktop's system monitor.
    t.push_back(
        row("info", {on("KDE", {"plasma-systemmonitor"}), on("KDE", {"ksysguard"}), on("XFCE", {"xfce4-taskmanager"}),
                     on("MATE", {"mate-system-monitor"}), any({"gnome-system-monitor"})}));

    // The logbook, by its full path, in the user's default editor for plain
    // text, else the desktop's own editor, else whatever xdg-open chooses.
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

} // namespace kav
