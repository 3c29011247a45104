#pragma once
// Where the program keeps its logbook. A copy run from its build folder or an
// unpacked folder keeps "kavrilon.ini" beside its executable, as it always
// has; an installed copy, whose folder the user cannot write (/usr/bin), keeps
// it in $XDG_DATA_HOME/kavrilon (by default ~/.local/share/kavrilon), created
// on first start. The program never writes into a system folder.

#include <filesystem>
#include <string>

namespace kav::qt {

struct ProgramFolderInputs {
    std::filesystem::path executableDir;
    std::string xdgDataHome; // empty when unset
    std::string home;        // empty when unset
};

// Chooses the folder and creates it when it is the per-user one. Returns an
// empty path when no folder can be had (no home and an unwritable executable folder).
std::filesystem::path chooseProgramFolder(const ProgramFolderInputs& in);

} // namespace kav::qt
