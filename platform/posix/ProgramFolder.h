#pragma once
// Where the program keeps its logbook. An installed copy (its executable in
// <prefix>/bin, with the program's desktop entry under <prefix>/share) keeps
// it in $XDG_DATA_HOME/kavrilon or ~/.local/share/kavrilon, whoever runs it,
// root included; any other copy keeps it beside its executable. Paths are
// bytes throughout, so a folder whose name is not UTF-8 works like any other.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace kav::posix {

// The name of the logbook file in the program folder.
inline constexpr std::string_view kLogbookName = "kavrilon.ini";

// The logbook's path in `folder`; empty (no logbook) when the folder is.
std::string logbookPathIn(const std::filesystem::path& folder);

struct ProgramFolderInputs {
    std::filesystem::path executable; // the running executable, links resolved
    std::string xdgDataHome;          // XDG_DATA_HOME, empty when unset
    std::string home;                 // HOME, empty when unset
    // The home folder the password database gives the user; asked only when
    // HOME is unset or not an absolute path.
    std::function<std::string()> passwordHome;
};

// The folder the layout rule names, neither made nor entered yet. Empty when
// an installed copy has no home folder to keep its logbook in.
std::filesystem::path chooseProgramFolder(const ProgramFolderInputs& in);

// Makes the folder where it is missing (every new level private to the user,
// as the base directory rules ask) and makes it the working directory. False
// when it cannot be made or entered: the program then has no folder.
bool enterProgramFolder(const std::filesystem::path& folder);

// The home folder of a user in the password database; empty when it has none.
std::string homeFromPasswordDatabase(uid_t uid);

// The inputs of this process: /proc/self/exe (or argv[0] where /proc is
// missing), the environment and the password database.
ProgramFolderInputs programFolderInputsFromSystem(const char* argv0);

} // namespace kav::posix
