// The sweep of stale temporary files in the program folder.
#include "platform/posix/StaleTempFiles.h"

#include <cerrno>
#include <csignal>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {

namespace {

bool processAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

bool allDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Closes a directory stream when it goes out of scope.
struct DirCloser {
    DIR* dir;
    ~DirCloser() {
        if (dir) ::closedir(dir);
    }
};

} // namespace

bool parseTempName(const std::string& entry, const std::string& name, pid_t& pid) {
    const std::string head = "." + name + ".";
    const std::string tail = ".tmp";
    if (entry.size() <= head.size() + tail.size() || entry.compare(0, head.size(), head) != 0 ||
        entry.compare(entry.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    const std::string middle = entry.substr(head.size(), entry.size() - head.size() - tail.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string::npos || dash + 1 == middle.size()) return false;
    const std::string digits = middle.substr(0, dash);
    if (!allDigits(digits) || digits.size() > 9) return false;
    pid = static_cast<pid_t>(std::stol(digits));
    return pid > 0;
}

int removeStaleTempFiles(const StaleTempSweep& sweep) {
    const int dirFd = ::open(sweep.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return 0;
    DirCloser dir{::fdopendir(dirFd)};
    if (!dir.dir) {
        ::close(dirFd);
        return 0;
    }
    const auto alive = sweep.isAlive ? sweep.isAlive : processAlive;
    const pid_t self = ::getpid();
    int removed = 0;
    while (const dirent* e = ::readdir(dir.dir)) {
        pid_t pid = 0;
        if (!parseTempName(e->d_name, sweep.name, pid)) continue;
        // This process has saved nothing yet, so a file with its id is a
        // leftover of an earlier process that had the same id.
        if (pid != self && alive(pid)) continue;
        struct stat st {};
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != sweep.owner) continue;
        if (::unlinkat(dirFd, e->d_name, 0) == 0) ++removed;
    }
    return removed;
}

} // namespace kav::posix
