#pragma once
// Whole-file reading and atomic replacement with plain POSIX calls. The
// logbook is rewritten whole on every save, so a save must never leave it
// half written: the new bytes go to a temporary file beside it, reach the
// disk, and only then take the old file's name in one rename.

#include <optional>
#include <string>
#include <string_view>

namespace kav::posix {

// Replaces the regular file at `path` with `bytes`, or creates it.
//
// The bytes are written to a new hidden file in the same folder (created
// exclusively, named ".<name>.<unique>.tmp"), flushed with fsync, and renamed
// over `path`; then the folder is flushed so that the rename itself lasts.
// A replaced file keeps its permission bits (and its owner and group where the
// process may set them); a new file gets 0644 less the umask.
//
// Returns false, and leaves the old file whole and no temporary file behind,
// when anything fails: a missing or read-only folder, a full disk, a file size
// limit. A process killed in the middle leaves the old file whole as well, but
// may leave its temporary file behind; later saves are not disturbed by it.
//
// `path` must name a regular file, a symbolic link to one, or nothing. A link
// stays a link: the file it points at is replaced in its own folder. A folder,
// a device, a pipe, or a dangling link or a link to anything but a regular
// file makes the call fail without touching anything.
bool writeFileAtomic(const std::string& path, std::string_view bytes);

// All bytes of the regular file at `path` (following a symbolic link), or
// nothing when it cannot be opened or is not a regular file. A pipe or device
// is refused without blocking on it.
std::optional<std::string> readWholeFile(const std::string& path);

} // namespace kav::posix
