#pragma once
// What stands in on a Linux desktop for each item of the launcher menu. This
// is data only: one row per item, keyed by the item's name, with an ordered
// list of Linux programs that can take its place. Finding and starting one of
// them is the launcher's job (platform/launch/Launcher).

#include <string>
#include <string_view>
#include <vector>

namespace kav {

// One Linux program that can take the place of a launcher item.
struct LaunchCandidate {
    // The desktop this candidate belongs to, as named in XDG_CURRENT_DESKTOP
    // ("GNOME", "KDE", "XFCE", ...), or empty when it suits any desktop.
    std::string desktop;
    // The program name, looked up on PATH, followed by its arguments. An
    // argument may hold one of the placeholders below; the program name may
    // be a default application (kDefaultApp).
    std::vector<std::string> argv;
    // For a settings program that names its pages: the page's names in the
    // program's versions, newest first. The first one the installed program
    // lists (its `--list`, asked once) is passed as the last argument; the
    // first name when the program gives no list; none when the list holds
    // none of them, so the program opens at its start page.
    std::vector<std::string> pageChoices = {};
};

// Placeholders that the launcher fills in when it starts a candidate.
// The user's home folder.
inline constexpr std::string_view kHomePlaceholder = "{home}";
// The program's current working directory, where the bare name
// "kavrilon.ini" of the logbook commands is looked up.
inline constexpr std::string_view kWorkDirPlaceholder = "{workdir}";
// The file URL of the program's own HTML page; a candidate holding it is
// skipped when the page is not installed.
inline constexpr std::string_view kDocPagePlaceholder = "{docpage}";
// The web address the item's Windows command line ends with; a candidate
// holding it is skipped when the line ends with no web address.
inline constexpr std::string_view kAddressPlaceholder = "{address}";

// As a program name, followed by a MIME type: the user's default application
// for that type, as the desktop's associations give it ("{default}text/plain").
// It is tried before every other candidate of its row.
inline constexpr std::string_view kDefaultApp = "{default}";

struct StandIn {
    // The launcher item's name.
    std::string item;
    // Games: their programs may also live in /usr/games, outside PATH.
    bool game = false;
    std::vector<LaunchCandidate> candidates;
};

// Every row. The order of candidates within a row is the order of preference
// among programs that suit the current desktop equally well.
const std::vector<StandIn>& standIns();

// The row of exactly this item, or null when there is none.
const StandIn* findStandIn(std::string_view item);

} // namespace kav
