// Atomic replacement and whole-file reading. Every system call that can be
// interrupted by a signal is repeated; every failure after the temporary file
// exists removes it again.
#include "platform/posix/AtomicFile.h"

#include <cstdlib>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {

namespace {

// Where the temporary file goes: the folder of `path` and the name in it.
struct PathParts {
    std::string folder;
    std::string name;
};

PathParts splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

// A file descriptor that is closed when it goes out of scope, unless it was
// closed explicitly to look at the result of close().
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        // Linux releases the descriptor even when close() reports EINTR, so
        // it is never repeated; only a real error (an NFS write-back that
        // failed, for one) counts as a failure.
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false; // no progress: give up rather than spin
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool fsyncRetrying(int fd) {
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// A name nobody else uses at the moment: the process id keeps processes
// apart, the counter keeps the calls of one process apart, and the clock
// separates a process from an earlier one with the same id that was killed
// and left its file behind. O_EXCL settles any collision that remains.
std::string tempName(const PathParts& parts, unsigned attempt) {
    static std::atomic<std::uint32_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto mix = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                     (static_cast<std::uint64_t>(attempt) << 56);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string unique = std::to_string(::getpid()) + '-' + std::to_string(counter.fetch_add(1)) + '-';
    for (int shift = 60; shift >= 0; shift -= 4)
        unique += kHex[(mix >> shift) & 0xF];
    return parts.folder + "/." + parts.name + '.' + unique + ".tmp";
}

} // namespace

bool writeFileAtomic(const std::string& path, std::string_view bytes) {
    const PathParts parts = splitPath(path);
    if (parts.name.empty() || parts.name == "." || parts.name == "..") return false;

    // Look at the target itself, not where a link points.
    struct stat old {};
    bool replacing = false;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            // A link the user made (say, to a synchronised folder) stays a
            // link: the file it points at is replaced, in its own folder. A
            // dangling link names no file, and nothing is written.
            char* resolved = ::realpath(path.c_str(), nullptr);
            if (!resolved) return false;
            const std::string real(resolved);
            std::free(resolved);
            struct stat target {};
            if (::lstat(real.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) return false;
            return writeFileAtomic(real, bytes);
        }
        if (!S_ISREG(old.st_mode)) return false; // folder, pipe, device
        replacing = true;
    } else if (errno != ENOENT) {
        return false;
    }

    // A new file is created as 0644 and the umask applies. A replacement
    // starts private and gets the old file's bits with fchmod, which the
    // umask does not narrow.
    const mode_t createMode = replacing ? S_IRUSR | S_IWUSR : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    std::string temp;
    int rawFd = -1;
    for (unsigned attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
        temp = tempName(parts, attempt);
        rawFd = openRetrying(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, createMode);
        if (rawFd < 0 && errno != EEXIST) return false;
    }
    if (rawFd < 0) return false;
    Fd fd(rawFd);

    bool ok = true;
    if (replacing) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Only a privileged process may give the file away; anyone else
            // keeps the new file as their own, which is still readable to them.
            [[maybe_unused]] const int given = ::fchown(fd.get(), old.st_uid, old.st_gid);
        }
        ok = ::fchmod(fd.get(), old.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) == 0;
    }
    ok = ok && writeAll(fd.get(), bytes);
    ok = ok && fsyncRetrying(fd.get());
    ok = fd.close() && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }

    // The new file is in place. Flushing the folder makes the rename survive
    // a power cut; a file system that cannot flush folders does not make the
    // save a failure, since the old content is gone either way.
    Fd folder(openRetrying(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) fsyncRetrying(folder.get());
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    // O_NONBLOCK keeps a pipe at the path from blocking the open; it has no
    // effect on reading a regular file.
    Fd fd(openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;

    // Read the size the file has now; if it grew meanwhile, keep reading
    // until the end, and if it shrank, keep what was there.
    std::string bytes(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            char probe[4096];
            const ssize_t n = ::read(fd.get(), probe, sizeof probe);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return std::nullopt;
            if (n == 0) break;
            bytes.append(probe, static_cast<std::size_t>(n));
            bytes.resize(bytes.size() + std::max<std::size_t>(bytes.size(), sizeof probe));
            got += static_cast<std::size_t>(n);
            continue;
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

} // namespace kav::posix
