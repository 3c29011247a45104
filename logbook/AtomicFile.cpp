// Every system call that a signal can interrupt is repeated. The writer works
// relative to an open descriptor of the target's folder, so the folder it
// checked is the folder it writes in.
#include "logbook/AtomicFile.h"

#include "logbook/Fd.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <new>
#include <optional>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <stdio.h> // renameat2
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::logbook {

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

bool writeAll(int fd, std::span<const std::string_view> pieces) {
    for (std::string_view left : pieces) {
        while (!left.empty()) {
            const ssize_t n = ::write(fd, left.data(), left.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false; // an error, or no progress: give up rather than spin
            left.remove_prefix(static_cast<std::size_t>(n));
        }
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

// A name nobody else uses: the process id first (so a later start can tell
// whether the process that left a file is gone), a counter for the calls of
// one process, and the clock against an earlier process with the same id.
// O_EXCL settles the rest.
std::string tempName(const std::string& name, unsigned attempt) {
    static std::atomic<std::uint32_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto mix = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                     (static_cast<std::uint64_t>(attempt) << 56);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string unique = std::to_string(::getpid()) + '-' + std::to_string(counter.fetch_add(1)) + '-';
    for (int shift = 60; shift >= 0; shift -= 4)
        unique += kHex[(mix >> shift) & 0xF];
    return '.' + name + '.' + unique + ".tmp";
}

// Where a path leads when only the user's own links are followed.
struct Resolved {
    enum class State { Found, Missing, Refused };
    State state = State::Refused;
    std::string path;     // the file at the end of the links
    bool viaLink = false; // whether a link was followed to get there
};

// Follows the links at `path` one at a time. Every link, and the file at the
// end of a link, must belong to the user; a dangling link, a loop or someone
// else's link refuses the path. Only the path itself can be missing.
Resolved resolveOwnLinks(const std::string& path) {
    const uid_t me = ::geteuid();
    std::string p = path;
    for (int hop = 0; hop < 32; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno == ENOENT && hop == 0) return {Resolved::State::Missing, p, false};
            return {};
        }
        if (!S_ISLNK(st.st_mode)) {
            if (hop > 0 && st.st_uid != me) return {};
            return {Resolved::State::Found, p, hop > 0};
        }
        if (st.st_uid != me) return {};
        char target[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return {};
        std::string next(target, static_cast<std::size_t>(n));
        if (next.front() != '/') next.insert(0, splitPath(p).folder + '/');
        p = std::move(next);
    }
    return {};
}

std::atomic<WriteStepHook> stepHook{nullptr};

// How long a replacement waits for another program that has the file open
// for writing; past that it goes on, as a plain rename would.
constexpr std::chrono::seconds kLongestWaitForWriter{2};

void reached(WriteStep step) {
    if (WriteStepHook hook = stepHook.load(std::memory_order_relaxed)) hook(step);
}

ReadResult refused() { return {ReadResult::Outcome::Refused, {}, {}}; }

// Asks for huge pages under a large buffer before it is first touched: a
// logbook of tens of megabytes then takes a few dozen page faults instead of
// tens of thousands, which is most of the cost of reading it.
void adviseHugePages(char* data, std::size_t size) {
    constexpr std::uintptr_t kPage = 4096;
    if (size < (std::size_t{4} << 20)) return;
    // The whole pages inside the buffer.
    const std::size_t skip = (kPage - reinterpret_cast<std::uintptr_t>(data) % kPage) % kPage;
    if (size <= skip) return;
    const std::size_t length = (size - skip) & ~(kPage - 1);
    if (length > 0) ::madvise(data + skip, length, MADV_HUGEPAGE);
}

// Reads `fd` to its end, expecting about `expected` bytes, into `out`; false
// on a read error or when the file grows past `limit` while it is read.
bool readAllCapped(int fd, std::size_t expected, std::size_t limit, std::string& out) {
    out.reserve(expected);
    adviseHugePages(out.data(), expected);
    out.assign(expected, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == out.size()) {
            // Full to the size the file had: look whether it grew meanwhile.
            char probe[4096];
            const ssize_t n = ::read(fd, probe, sizeof probe);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;
            if (got + static_cast<std::size_t>(n) > limit) return false;
            out.resize(std::min(limit, got + std::max<std::size_t>(got, sizeof probe)));
            std::copy_n(probe, n, out.data() + got);
            got += static_cast<std::size_t>(n);
            continue;
        }
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return true;
}

// Whether what `where` led to may be read: a regular file, and the user's
// own when a link led there.
bool mayRead(const Resolved& where, const struct stat& st) {
    return S_ISREG(st.st_mode) && (!where.viaLink || st.st_uid == ::geteuid());
}

FileStamp stampOf(const struct stat& st) {
    constexpr std::int64_t kNs = 1'000'000'000;
    return {{st.st_dev, st.st_ino},
            static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNs + st.st_mtim.tv_nsec,
            static_cast<std::int64_t>(st.st_ctim.tv_sec) * kNs + st.st_ctim.tv_nsec};
}

} // namespace

void setWriteStepHook(WriteStepHook hook) { stepHook.store(hook); }

FileLook lookAt(const std::string& path) {
    const Resolved where = resolveOwnLinks(path);
    FileLook look;
    if (where.state == Resolved::State::Missing) return look;
    look.outcome = ReadResult::Outcome::Refused;
    if (where.state != Resolved::State::Found) return look;
    struct stat st {};
    if (::lstat(where.path.c_str(), &st) != 0) {
        if (errno == ENOENT && !where.viaLink) look.outcome = ReadResult::Outcome::Missing;
        return look;
    }
    if (!mayRead(where, st)) return look;
    return {ReadResult::Outcome::Read, stampOf(st), st.st_uid};
}

std::optional<FileStamp> stampFile(const std::string& path) {
    const FileLook look = lookAt(path);
    return look.outcome == ReadResult::Outcome::Read ? std::optional(look.stamp) : std::nullopt;
}

ReadResult readFile(const std::string& path, std::size_t limit) {
    const Resolved where = resolveOwnLinks(path);
    if (where.state == Resolved::State::Missing) return {};
    if (where.state == Resolved::State::Refused) return refused();

    // O_NONBLOCK keeps a pipe from blocking the open; O_NOFOLLOW refuses a
    // link put in the file's place since it was looked at.
    Fd fd(openAtRetrying(AT_FDCWD, where.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    if (!fd.valid()) {
        if (errno == ENOENT && !where.viaLink) return {};
        return refused();
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !mayRead(where, st)) return refused();
    if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > limit) return refused();

    ReadResult r;
    try {
        if (!readAllCapped(fd.get(), static_cast<std::size_t>(st.st_size), limit, r.bytes)) return refused();
    } catch (const std::bad_alloc&) {
        return refused();
    }
    r.outcome = ReadResult::Outcome::Read;
    r.stamp = stampOf(st);
    return r;
}

bool writeFileAtomic(const std::string& path, std::string_view bytes, const WriteRules& rules, FileStamp* written) {
    return writeFileAtomic(path, std::span<const std::string_view>(&bytes, 1), rules, written);
}

bool writeFileAtomic(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules,
                     FileStamp* written) {
    return replaceFile(path, bytes, rules, written) == Replaced::Done;
}

namespace {

// Whether what is at `name` now (`found`, false when nothing) may be
// replaced under `rules`: a regular file of the user's that the owner did not
// make read-only and, for a guarded write, the expected one unchanged.
Replaced mayReplace(const std::optional<struct stat>& found, const WriteRules& rules) {
    if (!found) return Replaced::Done;
    const struct stat& st = *found;
    if (!S_ISREG(st.st_mode)) return Replaced::Failed;        // folder, pipe, device, link
    if (st.st_uid != ::geteuid()) return Replaced::Failed;    // someone else's file
    if ((st.st_mode & S_IWUSR) == 0) return Replaced::Failed; // made read-only by its owner
    if (rules.guarded && (!rules.expected || stampOf(st) != *rules.expected)) return Replaced::Changed;
    return Replaced::Done;
}

std::optional<struct stat> statAt(int folder, const std::string& name) {
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return st;
    return std::nullopt;
}

int renameAt2(int folder, const std::string& from, const std::string& to, unsigned flags) {
    return ::renameat2(folder, from.c_str(), folder, to.c_str(), flags);
}

// Whether the file system cannot do what renameat2 was asked.
bool unsupported(int error) { return error == EINVAL || error == ENOSYS || error == ENOTSUP; }

// A read lease on the file about to be replaced. The system grants none
// while any process has the file open for writing, and an open for writing
// afterwards breaks it, so a writer that opened the file before it was
// replaced, and would write into it once it is gone, is never missed.
class ReadLease {
public:
    enum class Taken { Held, Busy, Unsupported };
    ReadLease() = default;
    ~ReadLease() { drop(); }
    ReadLease(const ReadLease&) = delete;
    ReadLease& operator=(const ReadLease&) = delete;

    // Takes the lease on `name`, which must still be the file `expected`.
    Taken take(int folder, const std::string& name, const struct stat& expected) {
        drop();
        fd_ = openAtRetrying(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_ino != expected.st_ino) return Taken::Busy;
        // The break is told by a signal nobody has to catch: SIGURG is
        // ignored unless handled, where SIGIO would end the program.
        if (::fcntl(fd_, F_SETSIG, SIGURG) != 0) return Taken::Unsupported;
        if (::fcntl(fd_, F_SETLEASE, F_RDLCK) == 0) {
            held_ = true;
            return Taken::Held;
        }
        return errno == EAGAIN ? Taken::Busy : Taken::Unsupported;
    }
    // Whether someone opened the file for writing since the lease was taken.
    bool broken() const { return held_ && ::fcntl(fd_, F_GETLEASE) != F_RDLCK; }

private:
    void drop() {
        if (held_) ::fcntl(fd_, F_SETLEASE, F_UNLCK);
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        held_ = false;
    }

    int fd_ = -1;
    bool held_ = false;
};

// Puts the temporary file `temp` (the descriptor `ours`) at `name`, where
// `before` was a moment ago. The file there is exchanged for ours, so that no
// moment passes in which a change to it could be lost unseen: what comes out
// is looked at, and when it is not what the look before found, it goes back.
// Where the file system cannot exchange, a plain rename follows the look.
Replaced putInPlace(int folder, const std::string& temp, int ours, const std::string& name,
                    const std::optional<struct stat>& before, const ReadLease& lease) {
    if (!before) {
        // Nothing was there: only create, never replace what came meanwhile.
        if (renameAt2(folder, temp, name, RENAME_NOREPLACE) == 0) return Replaced::Done;
        if (errno == EEXIST) return Replaced::Changed;
        if (!unsupported(errno)) return Replaced::Failed;
        return ::renameat(folder, temp.c_str(), folder, name.c_str()) == 0 ? Replaced::Done : Replaced::Failed;
    }
    if (renameAt2(folder, temp, name, RENAME_EXCHANGE) != 0) {
        if (errno == ENOENT) return Replaced::Changed; // deleted meanwhile
        if (!unsupported(errno)) return Replaced::Failed;
        return ::renameat(folder, temp.c_str(), folder, name.c_str()) == 0 ? Replaced::Done : Replaced::Failed;
    }
    // The exchange itself moves the change time of both files; the contents
    // are told by inode, size and modification time.
    const std::optional<struct stat> out = statAt(folder, temp);
    if (out && stampOf(*out).sameContents(stampOf(*before)) && !lease.broken()) {
        ::unlinkat(folder, temp.c_str(), 0);
        return Replaced::Done;
    }
    // Someone changed it in between: it goes back in its place.
    renameAt2(folder, temp, name, RENAME_EXCHANGE);
    struct stat mine {};
    const std::optional<struct stat> back = statAt(folder, temp);
    if (back && ::fstat(ours, &mine) == 0 && back->st_ino != mine.st_ino) {
        // A file renamed over ours in the instant between the two exchanges
        // is newer than the one that went back: it takes the place instead.
        renameAt2(folder, temp, name, RENAME_EXCHANGE);
    }
    ::unlinkat(folder, temp.c_str(), 0);
    return Replaced::Changed;
}

} // namespace

Replaced replaceFile(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules,
                     FileStamp* written) {
    const Resolved where = resolveOwnLinks(path);
    if (where.state == Resolved::State::Refused) return Replaced::Failed;
    const PathParts parts = splitPath(where.path);
    if (parts.name.empty() || parts.name == "." || parts.name == "..") return Replaced::Failed;
    Fd folder(openAtRetrying(AT_FDCWD, parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) return Replaced::Failed;

    // Look at what is there now, in the folder just opened, without following
    // a link: a link put there since the path was resolved is no regular file.
    const std::optional<struct stat> old = statAt(folder.get(), parts.name);
    if (!old && errno != ENOENT) return Replaced::Failed;
    if (const Replaced may = mayReplace(old, rules); may != Replaced::Done) return may;

    reached(WriteStep::BeforeTemporary);
    // A replacement starts private and gets the old file's bits with fchmod,
    // which the umask does not narrow.
    const mode_t createMode = old ? S_IRUSR | S_IWUSR : S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    std::string temp;
    int rawFd = -1;
    for (unsigned attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
        temp = tempName(parts.name, attempt);
        rawFd = openAtRetrying(folder.get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                               createMode);
        if (rawFd < 0 && errno != EEXIST) return Replaced::Failed;
    }
    if (rawFd < 0) return Replaced::Failed;
    Fd fd(rawFd);

    bool ok = true;
    // A file shared with a group keeps its group where the user may give it
    // (a group the user is in); elsewhere it takes the user's, as a new file
    // would. The group comes before the bits: fchown may clear some.
    if (old && old->st_gid != ::getegid()) {
        // Refused for a group the user is not in; the file then keeps the user's.
        [[maybe_unused]] const int kept = ::fchown(fd.get(), static_cast<uid_t>(-1), old->st_gid);
    }
    if (old) ok = ::fchmod(fd.get(), old->st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) == 0;
    ok = ok && writeAll(fd.get(), bytes);
    if (ok) reached(WriteStep::Written);
    ok = ok && fsyncRetrying(fd.get());
    if (ok) reached(WriteStep::Synced);
    // The new file as written, before anyone else can reach it.
    struct stat made {};
    ok = ok && ::fstat(fd.get(), &made) == 0;
    Replaced result = ok ? Replaced::Done : Replaced::Failed;
    if (ok) {
        reached(WriteStep::BeforeReplace);
        // The last look, right before the file is put in place. A file that
        // another program holds open for writing is left to it for a moment.
        ReadLease lease;
        std::optional<struct stat> now;
        const auto giveUp = std::chrono::steady_clock::now() + kLongestWaitForWriter;
        for (;;) {
            now = statAt(folder.get(), parts.name);
            result = mayReplace(now, rules);
            if (result != Replaced::Done || !now ||
                lease.take(folder.get(), parts.name, *now) != ReadLease::Taken::Busy ||
                std::chrono::steady_clock::now() >= giveUp)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (result == Replaced::Done) result = putInPlace(folder.get(), temp, fd.get(), parts.name, now, lease);
    }
    // Putting the file in place moves its change time, so its stamp is taken
    // again; when another program wrote into it in the instant since, the
    // stamp as written is kept instead, so the next look finds the change.
    struct stat placed {};
    if (result == Replaced::Done) {
        reached(WriteStep::AfterReplace);
        if (::fstat(fd.get(), &placed) != 0 || placed.st_size != made.st_size ||
            stampOf(placed).modifiedNs != stampOf(made).modifiedNs)
            placed = made;
    }
    if (!fd.close() && result == Replaced::Done) result = Replaced::Failed;
    if (result != Replaced::Done) {
        ::unlinkat(folder.get(), temp.c_str(), 0);
        return result;
    }

    // Flushing the folder makes the rename survive a power cut; a file system
    // that cannot flush folders is no failure, the old content is gone anyway.
    fsyncRetrying(folder.get());
    if (written) *written = stampOf(placed);
    return Replaced::Done;
}

} // namespace kav::logbook
