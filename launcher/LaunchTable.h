#pragma once
// What stands in on a Linux desktop for each Windows command line that the
// launcher menu and the logbook editor command pass to the platform. This is
// data only: one row per command line, exactly as the handler passes it, with
// an ordered list of Linux programs that can take its place. Finding and
// starting one of them is the platform's job (platform/launch/Launcher).

#include <string>
#include <string_view>
#include <vector>

namespace kav {

// One Linux program that can take the place of a Windows command line.
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

// As a program name, followed by a MIME type: the user's default application
// for that type, as the desktop's associations give it ("{default}text/plain").
// It is tried before every other candidate of its row.
inline constexpr std::string_view kDefaultApp = "{default}";

struct LaunchRow {
    // The Windows command line, byte for byte as the handler passes it.
    std::string commandLine;
    // The menu items or buttons that pass this line, for the reader.
    std::string items;
    // Games: their programs may also live in /usr/games, outside PATH.
    bool game = false;
    std::vector<LaunchCandidate> candidates;
};

// Every row. The order of candidates within a row is the order of preference
// among programs that suit the current desktop equally well.
const std::vector<LaunchRow>& launchTable();

// The row of exactly this command line, or null when there is none.
const LaunchRow* findLaunchRow(std::string_view commandLine);

} // namespace kav
