// The program folder rule.
#include "platform/qt/ProgramFolder.h"

#include <system_error>
#include <unistd.h>

namespace kav::qt {

std::filesystem::path chooseProgramFolder(const ProgramFolderInputs& in) {
    if (!in.executableDir.empty() && ::access(in.executableDir.c_str(), W_OK | X_OK) == 0) return in.executableDir;
    std::filesystem::path base;
    if (!in.xdgDataHome.empty() && std::filesystem::path(in.xdgDataHome).is_absolute())
        base = in.xdgDataHome;
    else if (!in.home.empty())
        base = std::filesystem::path(in.home) / ".local" / "share";
    else
        return {};
    std::filesystem::path folder = base / "kavrilon";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

} // namespace kav::qt
