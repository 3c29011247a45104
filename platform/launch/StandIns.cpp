// What stands in on a Linux desktop for each item of the launcher menu: data
// only, one row per item with the programs that can take its place.
#include "platform/launch/Launcher.h"

namespace kav {

const std::vector<StandIn>& standIns() {
    // Help pages open in the GNOME help viewer, which runs on any desktop, at
    // the nearest page of the desktop's own help; on KDE in KDE's help centre
    // where it has a handbook that fits. Settings pages open each desktop's
    // settings program at the nearest panel, named as Debian 12's versions
    // name them. Files, folders and web pages open through xdg-open in the
    // program the user chose for them.
    static const std::vector<StandIn> table = {
        // Sound: the desktop's settings, or the PulseAudio mixer, which
        // PipeWire desktops run as well.
        {"lym",
         {{"GNOME", "gnome-control-center sound"},
          {"KDE", "systemsettings kcm_pulseaudio"},
          {"MATE", "mate-volume-control"},
          {"", "pavucontrol"},
          {"", "pavucontrol-qt"}}},
        {"spel", {{"KDE", "krecorder"}, {"", "gnome-sound-recorder"}, {"", "audacity"}}},

        // Help files. The clipboard ("klipp") has no page of its own: the start page.
        {"hj", {{"KDE", "khelpcenter help:/fundamentals"}, {"", "yelp help:gnome-help"}}},
        {"tool", {{"", "yelp help:gnome-help/user-admin-explain"}}},
        {"kor",
         {{"KDE", "khelpcenter help:/kcontrol/khotkeys"}, {"", "yelp help:gnome-help/shell-keyboard-shortcuts"}}},
        {"vol", {{"", "yelp help:gnome-help/sound-volume"}}},
        {"ljud", {{"", "yelp help:gnome-help/media"}}},
        {"natverk", {{"", "yelp help:gnome-help/net"}}},
        {"nat", {{"", "yelp help:gnome-help/net-general"}}},
        {"adress", {{"", "yelp help:gnome-help/contacts"}}},
        {"panel", {{"", "yelp help:gnome-help/prefs"}}},
        {"skriv", {{"", "yelp help:gnome-help/printing"}}},
        {"klipp", {{"", "yelp help:gnome-help"}}},
        {"losen", {{"", "yelp help:gnome-help/user-changepassword"}}},
        {"fjarr", {{"", "yelp help:gnome-help/sharing-desktop"}}},
        {"alt", {{"KDE", "khelpcenter help:/kcontrol/powerdevil"}, {"", "yelp help:gnome-help/power"}}},
        {"play", {{"", "yelp help:gnome-help/media"}}},
        {"behor", {{"", "yelp help:gnome-help/nautilus-file-properties-permissions"}}},
        {"out", {{"", "yelp help:gnome-help/net-email"}}},

        // The control panel and its pages.
        {"kon",
         {{"GNOME", "gnome-control-center"},
          {"KDE", "systemsettings"},
          {"XFCE", "xfce4-settings-manager"},
          {"MATE", "mate-control-center"},
          {"X-Cinnamon", "cinnamon-settings"},
          {"LXQt", "lxqt-config"}}},
        {"screen",
         {{"GNOME", "gnome-control-center display"},
          {"KDE", "systemsettings kcm_kscreen"},
          {"XFCE", "xfce4-display-settings"},
          {"MATE", "mate-display-properties"},
          {"", "arandr"}}},
        {"ener",
         {{"GNOME", "gnome-control-center power"},
          {"KDE", "systemsettings kcm_powerdevilprofilesconfig"},
          {"XFCE", "xfce4-power-manager-settings"},
          {"MATE", "mate-power-preferences"}}},
        {"mus",
         {{"GNOME", "gnome-control-center mouse"},
          {"KDE", "systemsettings kcm_mouse"},
          {"XFCE", "xfce4-mouse-settings"},
          {"MATE", "mate-mouse-properties"}}},
        // The page about the computer, "system" on GNOME releases after 45.
        {"sys",
         {{"GNOME", "gnome-control-center info-overview"},
          {"KDE", "systemsettings kcm_about-distro"},
          {"XFCE", "xfce4-about"}}},
        // Add or remove programs: the desktop's software centre.
        {"rtob", {{"KDE", "plasma-discover"}, {"", "gnome-software"}}},
        {"JOY", {{"KDE", "systemsettings kcm_gamecontroller"}, {"", "jstest-gtk"}}},
        // Internet options: the network settings.
        {"alter",
         {{"GNOME", "gnome-control-center network"},
          {"KDE", "systemsettings kcm_networkmanagement"},
          {"", "nm-connection-editor"}}},

        // Games, found in the games folders too.
        {"sol", {{"KDE", "kpat"}, {"", "sol"}}},
        {"mine", {{"KDE", "kmines"}, {"", "gnome-mines"}}},

        // Updates: the software centre at its updates page.
        {"uppdate",
         {{"KDE", "plasma-discover --mode update"}, {"", "gnome-software --mode=updates"}, {"", "update-manager"}}},

        // Web pages: four of the vendor's Swedish help site, and the program's
        // homepage and search page, which are its own page so the link is
        // never dead.
        {"winxp", {{"", "xdg-open {address}"}}},
        {"dows", {{"", "xdg-open {address}"}}},
        {"win7", {{"", "xdg-open {address}"}}},
        {"bekant", {{"", "xdg-open {address}"}}},
        {"color", {{"", "xdg-open {docpage}"}}},
        {"motor", {{"", "xdg-open {docpage}"}}},

        // The mail program; xdg-email opens whichever the user has chosen.
        {"epost", {{"GNOME", "evolution"}, {"KDE", "kmail"}, {"", "thunderbird"}, {"", "xdg-email"}}},
        // The file explorer at the home folder, and the logbook in the user's
        // editor for text.
        {"utfor", {{"", "xdg-open {home}"}}},
        {"bok", {{"", "xdg-open {logbook}"}}},
        // System information: the desktop's system monitor.
        {"info",
         {{"KDE", "plasma-systemmonitor"},
          {"XFCE", "xfce4-taskmanager"},
          {"MATE", "mate-system-monitor"},
          {"", "gnome-system-monitor"}}},
    };
    return table;
}

} // namespace kav
