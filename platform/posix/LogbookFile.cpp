#include "platform/posix/LogbookFile.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {

namespace {

// Whether the folder that holds `path` belongs to another user.
bool folderIsOthers(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && st.st_uid != ::geteuid();
}

} // namespace

std::optional<std::string> LogbookFile::load(const std::string& path) {
    ReadResult r = readFile(path, readLimit_);
    const std::lock_guard lock(mutex_);
    path_ = path;
    known_.reset();
    // A file that cannot be read holds saves until a load reads it.
    if (r.outcome == ReadResult::Outcome::Refused && standing_ == Hold::None) standing_ = Hold::Unreadable;
    if (r.outcome != ReadResult::Outcome::Refused && standing_ == Hold::Unreadable) standing_ = Hold::None;
    if (r.outcome != ReadResult::Outcome::Read) return std::nullopt;
    known_ = r.stamp;
    return std::move(r.bytes);
}

void LogbookFile::adopt(const std::string& path, const FileStamp& stamp) {
    const std::lock_guard lock(mutex_);
    path_ = path;
    known_ = stamp;
}

LogbookFile::Change LogbookFile::check(const std::string& path) {
    const std::lock_guard lock(mutex_);
    if (path.empty() || path != path_) return Change::None;
    // Another user's folder says most: it is why this session has no lock.
    found_ = folderIsOthers(path) ? Hold::OthersFile : standing_;
    if (found_ != Hold::None) return Change::Held;

    const FileLook look = lookAt(path);
    switch (look.outcome) {
    case ReadResult::Outcome::Missing: return known_ ? Change::Gone : Change::None;
    case ReadResult::Outcome::Refused: found_ = Hold::Unreadable; return Change::Held;
    case ReadResult::Outcome::Read: break;
    }
    if (look.owner != ::geteuid()) {
        found_ = Hold::OthersFile;
        return Change::Held;
    }
    return known_ && known_->sameContents(look.stamp) ? Change::None : Change::Changed;
}

LogbookFile::Hold LogbookFile::hold() const {
    const std::lock_guard lock(mutex_);
    return found_ != Hold::None ? found_ : standing_;
}

void LogbookFile::holdSaves(Hold why) {
    const std::lock_guard lock(mutex_);
    standing_ = why;
}

bool LogbookFile::save(const std::string& path, std::string_view bytes) {
    return save(path, std::span<const std::string_view>(&bytes, 1));
}

bool LogbookFile::save(const std::string& path, std::span<const std::string_view> bytes) {
    const std::lock_guard lock(mutex_);
    if (path != path_) return writeFileAtomic(path, bytes);
    if (standing_ != Hold::None || folderIsOthers(path)) return false;
    FileStamp written;
    if (!writeFileAtomic(path, bytes, WriteRules{known_}, &written)) return false;
    known_ = written;
    return true;
}

} // namespace kav::posix
