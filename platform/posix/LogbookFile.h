#pragma once
// The logbook file as this session found it, kept between the start-up load
// and every later save, so that a save never destroys what it could not read
// and never replaces a file other than the one the session knows.
//
// A logbook that exists but cannot be read (no read permission, larger than
// the reader takes, not a regular file, a link that may not be followed) is
// never saved over: the session keeps its list in memory and every save to it
// is skipped. A logbook that was loaded or saved is replaced only while it is
// still that same file (device and inode); when it has gone, a save creates it
// again. The rules on owners, modes and links of the writer apply on top.
//
// Loads and saves may come from different threads; the state is guarded, and
// one save at a time runs.

#include "platform/posix/AtomicFile.h"

#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav::posix {

class LogbookFile {
public:
    explicit LogbookFile(std::size_t readLimit = kMaxReadBytes) : readLimit_(readLimit) {}

    // The bytes of the file at `path`, or nothing when it is missing or cannot
    // be read; `path` becomes the logbook this object looks after.
    std::optional<std::string> load(const std::string& path);
    // Takes `path` as the logbook, loaded from the file `id` by other means.
    void adopt(const std::string& path, FileId id);

    // Replaces the file at `path` with `bytes`. For the logbook's own path the
    // save is skipped (false) while the logbook is one that could not be read,
    // or when the file there is no longer the one loaded or last saved.
    bool save(const std::string& path, std::string_view bytes);
    // The same for bytes given in pieces.
    bool save(const std::string& path, std::span<const std::string_view> bytes);

private:
    const std::size_t readLimit_;
    std::mutex mutex_;
    std::string path_;
    bool unreadable_ = false;
    std::optional<FileId> known_;
};

} // namespace kav::posix
