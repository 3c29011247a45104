#pragma once
// What the user is told when the logbook's saves are held: why, naming the
// file or folder, and the one thing to do that lets the saves go through
// again, with the command line that does it where one command does.

#include "logbook/LogbookFile.h"

#include <string>
#include <string_view>

namespace kav::logbook {

struct HeldAdvice {
    std::string why;     // what stands in the way, naming the path
    std::string action;  // what to do about it
    std::string command; // the shell command that does it; empty when none does
};

// Looks at the logbook at `path` and its folder as they are now; `why` is
// the reason LogbookFile gave. Nothing to say for Hold::None.
HeldAdvice adviceFor(LogbookFile::Hold why, const std::string& path);

// The whole notice, in Swedish: the reason, the action with its command, and
// what holding the saves means for this session.
std::string heldNotice(LogbookFile::Hold why, const std::string& path);

// `text` in single quotes for a POSIX shell.
std::string shellQuoted(std::string_view text);

} // namespace kav::logbook
