#pragma once
// Removing the temporary files that saves of killed processes left behind:
// ".<name>.<pid>-<counter>-<stamp>.tmp" (decimal process id and counter, 16
// lower-case hexadecimal digits; see logbook/AtomicFile). Only regular
// files of the running user whose name has exactly that form and whose
// process is gone are removed: a live process's file may be a save in
// progress (a copy working on another folder through a link).

#include <string>

#include <sys/types.h>

namespace kav::logbook {

struct StaleTempSweep {
    std::string folder; // where to look
    std::string name;   // the name of the file the saves replace ("kavrilon.ini")
    uid_t owner = 0;    // only this user's files are removed
};

// Removes the stale temporary files and returns how many it removed.
int removeStaleTempFiles(const StaleTempSweep& sweep);

// Whether `entry` is exactly a temporary file name that a save of `name`
// makes, and whose process id it carries. A name of any other form (a
// backup a user named alike, say) is never taken for one.
bool parseTempName(const std::string& entry, const std::string& name, pid_t& pid);

} // namespace kav::logbook
