#pragma once
// Whole-file reading and atomic replacement with plain POSIX calls: the one
// reader and the one writer of the program. Both follow a symbolic link only
// when the link, every link after it and the file it ends at belong to the
// user running the program, so a link planted by someone else never leads the
// program to their files.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav::posix {

// The most a reader takes in; a larger (or sparse) file counts as unreadable.
inline constexpr std::size_t kMaxReadBytes = std::size_t{256} << 20;

// Which file a path named at one moment: its device and inode.
struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const FileId&) const = default;
};

// What a file was when it was opened; any write to it since changes it.
struct FileStamp {
    FileId id;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
    // Same inode, size and modification time: a change of owner or mode, or a
    // rename, keeps the contents.
    bool sameContents(const FileStamp& other) const {
        return id == other.id && size == other.size && modifiedNs == other.modifiedNs;
    }
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

// Reads the regular file at `path` whole, at most `limit` bytes; a pipe at
// the path never blocks the caller.
ReadResult readFile(const std::string& path, std::size_t limit = kMaxReadBytes);

// What is at `path` now, looked at by readFile's rules without opening it:
// nothing (Missing), something readFile would refuse (Refused), or a regular
// file with its stamp and its owner (Read).
struct FileLook {
    ReadResult::Outcome outcome = ReadResult::Outcome::Missing;
    FileStamp stamp;
    uid_t owner = 0;
};
FileLook lookAt(const std::string& path);

// The stamp of the regular file that readFile would open at `path` now,
// following links by the same rules; nothing when it would not read one.
std::optional<FileStamp> stampFile(const std::string& path);

// The bytes of readFile, or nothing for any other outcome.
std::optional<std::string> readWholeFile(const std::string& path);

// What a replacement may assume about the file it replaces.
struct WriteRules {
    // When set, an existing file at the path must be this one, with these
    // contents (FileStamp::sameContents); any other file there, or this one
    // changed by someone else, is left alone and the write fails.
    std::optional<FileStamp> expected;
};

// Replaces the regular file at `path` with `bytes`, or creates it.
//
// The bytes go to a new hidden file in the same folder, created exclusively
// and never through a link, named ".<name>.<pid>-<unique>.tmp" with the
// writer's process id first; it is flushed and renamed over `path`, and then
// the folder is flushed so that the rename lasts. A replaced file keeps its
// permission bits; a new one gets 0644 less the umask. The program never
// changes an owner.
//
// Returns false, leaving the old file whole and no temporary file behind,
// when anything fails (a full disk, a file size limit with SIGXFSZ ignored),
// and when the file at `path` is not a regular file, belongs to another user,
// was made read-only by its owner, is not `rules.expected`, or is reached
// through a link that is not the user's or leads nowhere. A link that may be
// followed stays a link: the file it points at is replaced in its own folder.
// A process killed in the middle may leave its temporary file behind.
//
// On success `written`, when given, receives the stamp of the new file.
bool writeFileAtomic(const std::string& path, std::string_view bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);
// The same for bytes given in pieces, written one after the other. Safe to
// call from any thread.
bool writeFileAtomic(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);

} // namespace kav::posix
