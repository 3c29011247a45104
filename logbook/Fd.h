#pragma once
// A file descriptor that is closed when it goes out of scope, and an open
// that is repeated when a signal interrupts it.

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace kav::logbook {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Hands the descriptor to someone else, who closes it.
    int release() { return std::exchange(fd_, -1); }
    bool close() {
        // Linux releases the descriptor even when close() reports EINTR, so
        // it is never repeated; only a real error (an NFS write-back that
        // failed, for one) counts as a failure.
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int fd_;
};

// `dir` may be AT_FDCWD.
inline int openAtRetrying(int dir, const char* name, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::openat(dir, name, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace kav::logbook
