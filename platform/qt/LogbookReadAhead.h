#pragma once
// The logbook read, and its lines found, on a thread of its own while the
// toolkit starts. A logbook grown over years is tens of megabytes. Read into
// memory of the program's own, most of its cost is the kernel handing out
// fresh memory, which on a machine whose memory has gone cold costs more
// than the rest of the start together. So a large logbook is mapped from the
// page cache instead, under a read lease that keeps other programs from
// changing it, and a private copy is made afterwards, slowly, on a thread
// that stands back for the window; the copy then takes the mapping's place
// and the lease is given up. A file that cannot be mapped so is read.
//
// What was read is handed over only while the file at the path is still the
// one read, unchanged since it was opened (same inode, size and change
// times). Otherwise the caller reads the file itself, so a read ahead never
// shows contents the file no longer has.

#include "logbook/LogbookFormat.h"
#include "platform/posix/AtomicFile.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace kav::qt {

class LogbookReadAhead {
public:
    // Starts reading `path`. When no thread can be started, nothing is read
    // ahead.
    explicit LogbookReadAhead(std::string path);
    // Stops a copy still under way and waits for the threads to end.
    ~LogbookReadAhead();
    LogbookReadAhead(const LogbookReadAhead&) = delete;
    LogbookReadAhead& operator=(const LogbookReadAhead&) = delete;

    // Waits for the read, and for the copy of a mapped file once it has
    // been handed over.
    void finish();

    // Runs `change` on the thread that reads the list's lines, later.
    using Post = std::function<void(std::function<void()> change)>;
    struct Taken {
        logbook::LineImage image;
        posix::FileId id; // the file the lines came from
    };
    // Waits for the read, then gives its lines if `path` is the path read
    // ahead, the read found a regular file and the file there is unchanged.
    // Gives them once at most. Lines still held in a mapping of the file are
    // copied afterwards, and `post` is given the change that puts the copy
    // in the mapping's place.
    std::optional<Taken> take(const std::string& path, Post post);

    // Files from this size on are mapped.
    static constexpr std::size_t kMapFrom = std::size_t{4} << 20;

private:
    void read();
    void copy(std::shared_ptr<HeldBytes> held, const Post& post);

    const std::string path_;
    // Set by the reading thread, looked at only after it has ended.
    std::optional<logbook::LineImage> image_;
    posix::FileStamp stamp_;
    std::atomic<bool> stopping_ = false;
    std::thread reader_;
    std::thread copier_;
};

} // namespace kav::qt
