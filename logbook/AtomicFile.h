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

namespace kav::logbook {

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
    // Same inode, size and modification time. The change time (in ==) tells
    // more: an edit that puts the modification time back moves it too, and
    // so do a change of owner or mode and a rename.
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

// What a replacement may assume about the file it replaces.
struct WriteRules {
    // A guarded replacement replaces only the file `expected` names, with
    // its stamp unchanged (the change time included) up to the moment it is
    // replaced; with `expected` empty, nothing may be there. A missing file
    // is created either way.
    bool guarded = false;
    std::optional<FileStamp> expected;
};

// The steps of a replacement, in order. A test may change the file between
// them, as another program could while a save is being written.
enum class WriteStep {
    BeforeTemporary, // nothing written yet
    Written,         // the temporary file holds the bytes
    Synced,          // and is on disk
    BeforeReplace,   // the last step before the file is replaced
    AfterReplace,    // the new file is in place; its stamp is taken next
};
// Called at every step of every replacement, on the writing thread; none is
// set in the program, where it costs one load of a pointer a step.
using WriteStepHook = void (*)(WriteStep);
void setWriteStepHook(WriteStepHook hook);

// Replaces the regular file at `path` with `bytes`, or creates it.
//
// The bytes go to a new hidden file in the same folder, created exclusively
// and never through a link, named ".<name>.<pid>-<unique>.tmp" with the
// writer's process id first; it is flushed and renamed over `path`, and then
// the folder is flushed so that the rename lasts. Where the file system can,
// the new file is exchanged with the old one (renameat2), and what came out
// is compared with what was there a moment before: a change made in between
// puts the old file back, and the replacement reports Changed. A replaced file keeps its
// permission bits, and its group when the user is a member of it; a new one
// gets 0644 less the umask. The program never changes an owner.
//
// Fails, leaving the old file whole and no temporary file behind,
// when anything fails (a full disk, a file size limit with SIGXFSZ ignored),
// and when the file at `path` is not a regular file, belongs to another user,
// was made read-only by its owner, or is reached
// through a link that is not the user's or leads nowhere. A link that may be
// followed stays a link: the file it points at is replaced in its own folder.
// A process killed in the middle may leave its temporary file behind.
//
// A guarded replacement of a file that is not, or no longer, the one
// expected reports Changed and leaves it as it is.
//
// On success `written`, when given, receives the stamp of the new file.
enum class Replaced { Done, Changed, Failed };
Replaced replaceFile(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);
// The same, true when Done.
bool writeFileAtomic(const std::string& path, std::string_view bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);
// The same for bytes given in pieces, written one after the other. Safe to
// call from any thread.
bool writeFileAtomic(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);

} // namespace kav::logbook
