#pragma once
// The logbook read, and its lines found, on a thread of its own while the
// toolkit starts, so that a logbook grown over years costs the start little.
// What was read is handed over only while the file at the path is unchanged
// since it was opened (same inode, size and change times), so a read ahead
// never shows contents the file no longer has.

#include "logbook/LogbookFormat.h"
#include "platform/posix/AtomicFile.h"

#include <optional>
#include <string>
#include <thread>

namespace kav::qt {

class LogbookReadAhead {
public:
    // Starts reading `path`; without a thread, nothing is read ahead.
    explicit LogbookReadAhead(std::string path);
    ~LogbookReadAhead();

    // Waits for the read to end, as the destructor does.
    void finish();

    struct Taken {
        logbook::LineImage image;
        posix::FileStamp stamp; // the file the lines came from
    };
    // Waits for the read, then gives its lines if `path` is the path read
    // ahead, the read found a regular file and the file there is unchanged.
    // Gives them once at most.
    std::optional<Taken> take(const std::string& path);

private:
    void read();

    const std::string path_;
    // Set by the reading thread, looked at only after it has ended.
    std::optional<logbook::LineImage> image_;
    posix::FileStamp stamp_;
    std::thread reader_;
};

} // namespace kav::qt
