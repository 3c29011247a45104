// The logbook file's guard: what was loaded decides what a save may replace.
#include "platform/posix/LogbookFile.h"

namespace kav::posix {

std::optional<std::string> LogbookFile::load(const std::string& path) {
    ReadResult r = readFile(path, readLimit_);
    const std::lock_guard lock(mutex_);
    path_ = path;
    unreadable_ = r.outcome == ReadResult::Outcome::Refused;
    known_.reset();
    if (r.outcome != ReadResult::Outcome::Read) return std::nullopt;
    known_ = r.stamp.id;
    return std::move(r.bytes);
}

void LogbookFile::adopt(const std::string& path, FileId id) {
    const std::lock_guard lock(mutex_);
    path_ = path;
    unreadable_ = false;
    known_ = id;
}

bool LogbookFile::save(const std::string& path, std::string_view bytes) {
    return save(path, std::span<const std::string_view>(&bytes, 1));
}

bool LogbookFile::save(const std::string& path, std::span<const std::string_view> bytes) {
    const std::lock_guard lock(mutex_);
    if (path != path_) return writeFileAtomic(path, bytes);
    if (unreadable_) return false;
    FileId written;
    if (!writeFileAtomic(path, bytes, WriteRules{known_}, &written)) return false;
    known_ = written;
    return true;
}

} // namespace kav::posix
