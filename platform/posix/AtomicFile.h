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
// `path` must name a regular file or nothing. A folder, a device, a pipe or a
// symbolic link at `path` (dangling or not) makes the call fail without
// touching anything: the program never writes through a link into a file
// somewhere else, and never replaces a link the user made with a plain file.
bool writeFileAtomic(const std::string& path, std::string_view bytes);

// All bytes of the regular file at `path` (following a symbolic link), or
// nothing when it cannot be opened or is not a regular file. A pipe or device
// is refused without blocking on it.
std::optional<std::string> readWholeFile(const std::string& path);

} // namespace kav::posix
