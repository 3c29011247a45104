#pragma once
// What stands in on a Linux desktop for each item of the launcher menu: data
// only, one row per item with the Linux programs that can take its place.

#include <string>
#include <string_view>
#include <vector>

namespace kav {

// One Linux program that can take the place of a launcher item.
struct LaunchCandidate {
    // The desktop as XDG_CURRENT_DESKTOP names it ("GNOME"); empty for any.
    std::string desktop;
    // The program name, looked up on PATH (or kDefaultApp), and its arguments,
    // which may hold the placeholders below.
    std::vector<std::string> argv;
    // For a settings program: the page's names, newest first. The first one
    // the program's `--list` names is passed last; the first name when there
    // is no list; none when the list holds none of them.
    std::vector<std::string> pageChoices = {};
};

// Placeholders that the launcher fills in; a candidate whose placeholder
// has no value is skipped.
inline constexpr std::string_view kHomePlaceholder = "{home}";       // the home folder
inline constexpr std::string_view kWorkDirPlaceholder = "{workdir}"; // the working directory
inline constexpr std::string_view kDocPagePlaceholder = "{docpage}"; // the file URL of the own HTML page
// The web address the item's Windows command line ends with.
inline constexpr std::string_view kAddressPlaceholder = "{address}";

// As a program name, followed by a MIME type: the user's default application
// for that type ("{default}text/plain"), tried before the rest of its row.
inline constexpr std::string_view kDefaultApp = "{default}";

struct StandIn {
    std::string item;  // the launcher item's name
    bool game = false; // its programs may also live in /usr/games, outside PATH
    std::vector<LaunchCandidate> candidates;
};

// Every row; within a row, candidates that suit the desktop equally well
// are preferred in their order.
const std::vector<StandIn>& standIns();

} // namespace kav
