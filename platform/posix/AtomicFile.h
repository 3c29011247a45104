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
    // The same file with the same contents: same inode, size and modification
    // time. A change of owner or mode alone, or a rename, keeps the contents.
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

// Reads the regular file at `path` whole, at most `limit` bytes. The file is
// opened without blocking (a pipe at the path never stops the caller), and
// what was opened is checked with fstat.
ReadResult readFile(const std::string& path, std::size_t limit = kMaxReadBytes);

// Asks for huge pages under a large buffer before it is first touched.
void adviseHugePages(char* data, std::size_t size);

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
// On success `written`, when given, receives the stamp of the new file.
bool writeFileAtomic(const std::string& path, std::string_view bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);
// The same for bytes given in pieces, written one after the other. Safe to
// call from any thread.
bool writeFileAtomic(const std::string& path, std::span<const std::string_view> bytes, const WriteRules& rules = {},
                     FileStamp* written = nullptr);

} // namespace kav::posix
