#pragma once
// The logbook file format: one Windows-1252 line per entry, each ended by
// CR LF, no header. Reading also takes a lone CR or a lone LF as the end of a
// line, so a logbook edited on another system still loads line by line, and a
// last line without a line end is an entry all the same. These are pure
// functions on bytes; opening and replacing the file is the platform's job.

#include "model/LineStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kav::logbook {

// The number of entries of `fileBytes`, without decoding. A file of 0 bytes
// has no entries.
std::size_t countEntries(std::string_view fileBytes);

// All entries of a logbook file, decoded to UTF-8.
std::vector<std::string> decodeEntries(std::string_view fileBytes);

// A logbook file as the list keeps it: every line followed by CR LF, and the
// marks that tell where lines start. The lines are those decodeEntries gives.
struct LineImage {
    std::string bytes;
    LineMarks marks;
};

// Finds the lines of `fileBytes` in one pass. A file the program wrote (CR LF
// after every line) is taken over as it is, without a copy; other line ends
// are written as CR LF, and a last line without one gets it.
LineImage indexLines(std::string fileBytes);

// What became of the logbook file since the session last loaded or saved it.
enum class FileChange {
    None,    // nothing: a save may write it, or create it when there was none
    Changed, // another program changed, replaced or created it: read it again
    Gone,    // it was there and has been deleted
    Held,    // the session's lines may not reach it (another user's file or
             // folder, no lock against other copies, a file it cannot read)
};

// Where, in the bytes of a save, the lines lie that the file held when the
// session last loaded or saved it: [begin, end). A save that finds the file
// changed by another program puts the file as it is now in their place, and
// keeps the session's lines before and after.
struct FileSpan {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// The file bytes for `entries`: each one in Windows-1252 followed by CR LF.
// No entries give no bytes.
std::string encodeEntries(const std::vector<std::string>& entries);

} // namespace kav::logbook
