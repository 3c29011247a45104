#include "logbook/StaleTempFiles.h"

#include <cerrno>
#include <csignal>
#include <memory>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::logbook {

namespace {

bool processAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// A decimal number as the writer prints one (std::to_string of an unsigned
// or positive value): digits only, no sign, no leading zero.
bool plainDecimal(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits || (s.size() > 1 && s.front() == '0')) return false;
    return s.find_first_not_of("0123456789") == std::string_view::npos;
}

bool lowerHex(std::string_view s) { return s.find_first_not_of("0123456789abcdef") == std::string_view::npos; }

} // namespace

bool parseTempName(const std::string& entry, const std::string& name, pid_t& pid) {
    const std::string head = "." + name + ".";
    const std::string_view tail = ".tmp";
    constexpr std::size_t kStampDigits = 16;
    std::string_view e = entry;
    if (!e.starts_with(head) || !e.ends_with(tail)) return false;
    e = e.substr(head.size(), e.size() - head.size() - tail.size());
    const std::size_t first = e.find('-');
    const std::size_t second = first == std::string_view::npos ? first : e.find('-', first + 1);
    if (second == std::string_view::npos) return false;
    const std::string_view digits = e.substr(0, first);
    const std::string_view counter = e.substr(first + 1, second - first - 1);
    const std::string_view stamp = e.substr(second + 1);
    // A process id has at most 7 digits (the kernel's limit is 4194304); the
    // counter is 32 bits.
    if (!plainDecimal(digits, 7) || !plainDecimal(counter, 10) || std::stoull(std::string(counter)) > 0xFFFFFFFFull ||
        stamp.size() != kStampDigits || !lowerHex(stamp))
        return false;
    pid = static_cast<pid_t>(std::stol(std::string(digits)));
    return pid > 0;
}

int removeStaleTempFiles(const StaleTempSweep& sweep) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(sweep.folder.c_str()), ::closedir);
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir.get());
    const pid_t self = ::getpid();
    int removed = 0;
    while (const dirent* e = ::readdir(dir.get())) {
        pid_t pid = 0;
        if (!parseTempName(e->d_name, sweep.name, pid)) continue;
        // This process has saved nothing yet, so a file with its id is a
        // leftover of an earlier process that had the same id.
        if (pid != self && processAlive(pid)) continue;
        struct stat st {};
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != sweep.owner) continue;
        if (::unlinkat(dirFd, e->d_name, 0) == 0) ++removed;
    }
    return removed;
}

} // namespace kav::logbook
