#pragma once
// The logbook file format: one Windows-1252 line per entry, each ended by
// CR LF, no header. Reading also takes a lone CR or a lone LF as the end of a
// line, so a logbook edited on another system still loads line by line, and a
// last line without a line end is an entry all the same. These are pure
// functions on bytes; the Logbook opens and replaces the file.

#include "model/LineStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kav::logbook {

// A logbook file as the list keeps it: every line followed by CR LF, and the
// marks that tell where lines start.
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

} // namespace kav::logbook
