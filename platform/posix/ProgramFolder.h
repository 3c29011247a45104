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

struct ProgramFolderInputs {
    std::filesystem::path executable; // the running executable, links resolved
    std::string xdgDataHome;          // XDG_DATA_HOME, empty when unset
    std::string home;                 // HOME, empty when unset
    // The user's home in the password database, for an unset or relative HOME.
    std::function<std::string()> passwordHome;
};

// The folder the layout names, not made yet; empty when an installed copy
// has no home folder.
std::filesystem::path chooseProgramFolder(const ProgramFolderInputs& in);

// Makes the missing levels of the folder private to the user and enters it;
// false when it cannot be made or entered. No level is made inside another
// user's folder.
bool enterProgramFolder(const std::filesystem::path& folder);

// The home folder of a user in the password database; empty when it has none.
std::string homeFromPasswordDatabase(uid_t uid);

// A variable of this process's environment, or `fallback` when it is unset.
std::string envOr(const char* name, std::string fallback = {});

// The inputs of this process (argv[0] only where /proc is missing).
ProgramFolderInputs programFolderInputsFromSystem(const char* argv0);

} // namespace kav::posix
