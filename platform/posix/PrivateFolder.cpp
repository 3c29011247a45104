#include "platform/posix/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {

bool isOwnPrivateFolder(const std::string& dir) {
    struct stat st {};
    return !dir.empty() && dir.front() == '/' && ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

// Anyone may make a folder of the name in /tmp first, or put a link or a
// file there; then it is not ours and the next name is tried.
std::optional<std::string> privateFolder(const std::string& runtimeDir, const std::string& tmp) {
    if (isOwnPrivateFolder(runtimeDir)) return runtimeDir;
    const std::string base = tmp + "/kavrilon-" + std::to_string(::geteuid());
    constexpr int kNames = 16;
    for (int n = 0; n < kNames; ++n) {
        const std::string dir = n == 0 ? base : base + "." + std::to_string(n);
        ::mkdir(dir.c_str(), 0700);
        if (isOwnPrivateFolder(dir)) return dir;
    }
    return std::nullopt;
}

} // namespace kav::posix
