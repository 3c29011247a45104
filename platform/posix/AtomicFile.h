#pragma once
// Whole-file reading and atomic replacement with plain POSIX calls: the one
// reader and the one writer of the program, used by the logbook and by the
// copies to removable media alike. The logbook is rewritten whole on every
// save, so a save must never leave it half written: the new bytes go to a
// temporary file beside it, reach the disk, and only then take the old file's
// name in one rename.
//
// Both sides follow a symbolic link only when the link, every link after it
// and the file it ends at belong to the user running the program, so a link
// planted by someone else in a folder they can write never leads the program
// to read or replace a file of theirs or of the system.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav::posix {

// The most a reader takes in. A larger file counts as one that cannot be
// read, so a huge or sparse file never exhausts the memory.
inline constexpr std::size_t kMaxReadBytes = std::size_t{256} << 20;

// Which file a path named at one moment: its device and inode.
struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const FileId&) const = default;
};

// What a file was when it was opened: which file, how long, and when its
// contents and its inode last changed. Any write to it since changes one of
// them.
struct FileStamp {
    FileId id;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ReadResult {
    enum class Outcome {
        Read,    // `bytes` holds the whole file and `stamp` says which file it was
        Missing, // nothing at the path (or its folder is missing)
        Refused, // something is there that cannot or may not be read: no read
                 // permission, too large, not a regular file, a link that is
                 // not the user's or leads nowhere, memory exhausted
    };
    Outcome outcome = Outcome::Missing;
    std::string bytes;
    FileStamp stamp;
};

// Reads the regular file at `path` whole, at most `limit` bytes. The file is
// opened without blocking (a pipe at the path never stops the caller), and
// what was opened is checked with fstat.
ReadResult readFile(const std::string& path, std::size_t limit = kMaxReadBytes);

// A regular file mapped read-only under a read lease. While the lease is
// held no other program can open the file for writing or truncate it (one
// that tries waits until the lease is given up), so the mapped bytes stay
// what they were and never vanish under a reader. The mapping is removed and
// the lease given up when the object goes.
class LeasedMapping {
public:
    LeasedMapping(int fd, const void* data, std::size_t size, FileStamp stamp)
        : fd_(fd), data_(data), size_(size), stamp_(stamp) {}
    ~LeasedMapping();
    LeasedMapping(const LeasedMapping&) = delete;
    LeasedMapping& operator=(const LeasedMapping&) = delete;

    std::string_view bytes() const { return {static_cast<const char*>(data_), size_}; }
    const FileStamp& stamp() const { return stamp_; }

private:
    int fd_;
    const void* data_;
    std::size_t size_;
    FileStamp stamp_;
};

// Maps the regular file at `path`, found and checked by readFile's rules,
// when it holds at least `minimum` and at most `limit` bytes and a read lease
// can be had on it. Nothing otherwise: the file is then read instead. A
// lease needs the file to be the user's, on a file system that has leases,
// and open for writing nowhere.
std::shared_ptr<LeasedMapping> mapFileLeased(const std::string& path, std::size_t minimum,
                                             std::size_t limit = kMaxReadBytes);

// Asks for huge pages under a large buffer before it is first touched.
void adviseHugePages(char* data, std::size_t size);

// The stamp of the regular file that readFile would open at `path` now,
// following links by the same rules; nothing when it would not read one.
std::optional<FileStamp> stampFile(const std::string& path);

// The bytes of readFile, or nothing for any other outcome.
std::optional<std::string> readWholeFile(const std::string& path);

// What a replacement may assume about the file it replaces.
struct WriteRules {
    // When set, an existing file at the path must be this one; any other file
    // there is left alone and the write fails.
    std::optional<FileId> expected;
};

// Replaces the regular file at `path` with `bytes`, or creates it.
//
// The bytes are written to a new hidden file in the same folder, created
// exclusively and never through a link, named ".<name>.<pid>-<unique>.tmp"
// with the writing process's id first; it is flushed with fsync and renamed
// over `path`, and then the folder is flushed so that the rename itself lasts.
// A replaced file keeps its permission bits; a new file gets 0644 less the
// umask. The file always belongs to the user who writes it: the program never
// changes an owner.
//
// Returns false, and leaves the old file whole and no temporary file behind,
// when anything fails: a missing or read-only folder, a full disk, a file size
// limit (with SIGXFSZ ignored). A process killed in the middle leaves the old
// file whole as well, but may leave its temporary file behind.
//
// Nothing is replaced, and false is returned, when the file at `path` is not
// a regular file, belongs to another user, has no write permission for its
// owner (the user made it read-only), is not `rules.expected`, or is reached
// through a link that is not the user's or leads nowhere. A link that may be
// followed stays a link: the file it points at is replaced in its own folder.
//
// On success `written`, when given, receives the identity of the new file.
bool writeFileAtomic(const std::string& path, std::string_view bytes, const WriteRules& rules = {},
                     FileId* written = nullptr);
// The same for bytes given in pieces, written one after the other. Safe to
// call from any thread.
bool writeFileAtomic(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules = {},
                     FileId* written = nullptr);

} // namespace kav::posix
