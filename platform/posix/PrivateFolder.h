#pragma once
// A folder of the user's that nobody else may enter, for what another user
// must not read, swap or plant: the single copy's socket and the page F11
// opens.

#include <optional>
#include <string>

namespace kav::posix {

// Whether `dir` is an absolute path to a folder itself (not a link to one)
// of this user, of mode 0700.
bool isOwnPrivateFolder(const std::string& dir);

// `runtimeDir` ($XDG_RUNTIME_DIR) when it is such a folder; otherwise
// <tmp>/kavrilon-<uid>, made with mode 0700, or, when another user holds that
// name, the first of <tmp>/kavrilon-<uid>.1 to .15 that is the user's or can
// be made so. Every start of the user finds the same one. Nothing when none
// can be had.
std::optional<std::string> privateFolder(const std::string& runtimeDir, const std::string& tmp = "/tmp");

} // namespace kav::posix
