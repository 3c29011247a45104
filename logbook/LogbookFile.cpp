#include "logbook/LogbookFile.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace kav::logbook {

namespace {

// Whether the folder that holds `path` belongs to another user.
bool folderIsOthers(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && st.st_uid != ::geteuid();
}

// How long a file must have been left alone before it counts as written: an
// editor that rewrites it in place may pause between its writes. The longest
// wait for such a writer, after which the file is taken as it is.
constexpr std::int64_t kQuietNs = 250'000'000;
constexpr std::int64_t kLongestWaitNs = 2'000'000'000;

std::int64_t nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Whether the file `look` found seems to be rewritten in place: the file
// `before` that did not grow. An append makes it grow by whole lines, and an
// editor that saves by rename leaves a new file, whole.
bool rewrittenInPlace(const FileLook& look, const std::optional<FileStamp>& before) {
    return before && look.stamp.id == before->id && look.stamp.size <= before->size;
}

// Waits, at most until `deadline`, until the file at `path` has been left
// alone for a moment when it seems to be rewritten in place since `before`;
// what it is then.
FileLook settled(const std::string& path, std::int64_t deadline, const std::optional<FileStamp>& before) {
    for (;;) {
        const FileLook look = lookAt(path);
        const std::int64_t now = nowNs();
        const std::int64_t quietAt = look.stamp.changedNs + kQuietNs;
        if (look.outcome != ReadResult::Outcome::Read || !rewrittenInPlace(look, before) || now >= quietAt ||
            now >= deadline)
            return look;
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(quietAt, deadline) - now));
    }
}

// The file at `path`, changed since it was `before`, once a writer that
// rewrites it in place has stopped, and read while it does not change.
ReadResult readSettled(const std::string& path, std::size_t limit, const std::optional<FileStamp>& before) {
    const std::int64_t deadline = nowNs() + kLongestWaitNs;
    for (;;) {
        settled(path, deadline, before);
        ReadResult r = readFile(path, limit);
        if (r.outcome != ReadResult::Outcome::Read || nowNs() >= deadline) return r;
        const FileLook after = lookAt(path);
        if (after.outcome == ReadResult::Outcome::Read && after.stamp == r.stamp) return r;
    }
}

// Bytes [begin, end) of the pieces, appended to `out`.
void appendRange(std::string& out, std::span<const std::string_view> pieces, std::uint64_t begin, std::uint64_t end) {
    std::uint64_t at = 0;
    for (const std::string_view piece : pieces) {
        const std::uint64_t from = std::max(begin, at);
        const std::uint64_t to = std::min(end, at + piece.size());
        if (from < to) out.append(piece.substr(from - at, to - from));
        at += piece.size();
    }
}

} // namespace

std::string logbookPathIn(const std::filesystem::path& folder) {
    return folder.empty() ? std::string() : (folder / kLogbookName).string();
}

std::optional<std::string> LogbookFile::load(const std::string& path) {
    ReadResult r = readFile(path, readLimit_);
    const std::lock_guard lock(mutex_);
    path_ = path;
    known_.reset();
    listBehind_ = false;
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
    listBehind_ = false;
}

FileChange LogbookFile::check(const std::string& path) {
    const std::lock_guard lock(mutex_);
    if (path.empty() || path != path_) return FileChange::None;
    // Another user's folder says most: it is why this session has no lock.
    found_ = folderIsOthers(path) ? Hold::OthersFile : standing_;
    if (found_ != Hold::None) return FileChange::Held;

    const FileLook look = lookAt(path);
    switch (look.outcome) {
    case ReadResult::Outcome::Missing: return known_ ? FileChange::Gone : FileChange::None;
    case ReadResult::Outcome::Refused: found_ = Hold::Unreadable; return FileChange::Held;
    case ReadResult::Outcome::Read: break;
    }
    if (look.owner != ::geteuid()) {
        found_ = Hold::OthersFile;
        return FileChange::Held;
    }
    return known_ && *known_ == look.stamp && !listBehind_ ? FileChange::None : FileChange::Changed;
}

LogbookFile::Hold LogbookFile::hold() const {
    const std::lock_guard lock(mutex_);
    return found_ != Hold::None ? found_ : standing_;
}

void LogbookFile::holdSaves(Hold why) {
    const std::lock_guard lock(mutex_);
    standing_ = why;
}

bool LogbookFile::save(const std::string& path, std::span<const std::string_view> bytes,
                       std::optional<logbook::FileSpan> fileLines) {
    const std::lock_guard lock(mutex_);
    if (path != path_) return writeFileAtomic(path, bytes);
    if (standing_ != Hold::None || folderIsOthers(path)) return false;

    WriteRules rules{true, known_};
    std::string merged;
    std::span<const std::string_view> writing = bytes;
    std::string_view mergedView;
    logbook::FileSpan span = fileLines.value_or(logbook::FileSpan{});
    constexpr int kTries = 5;
    for (int tries = 0; tries < kTries; ++tries) {
        FileStamp written;
        switch (replaceFile(path, writing, rules, &written)) {
        case Replaced::Done:
            known_ = written;
            listBehind_ = listBehind_ || tries > 0;
            return true;
        case Replaced::Failed: return false;
        case Replaced::Changed: break;
        }
        if (!fileLines) return false;
        // Changed since the session knew it: the file as it is now goes in
        // the place of the lines it held. A file deleted meanwhile gets every
        // line of the list again, as a save after a delete does.
        ReadResult now = readSettled(path, readLimit_, rules.expected);
        if (now.outcome == ReadResult::Outcome::Refused) return false;
        rules.expected.reset();
        if (now.outcome == ReadResult::Outcome::Missing) {
            writing = bytes;
            span = *fileLines;
            continue;
        }
        rules.expected = now.stamp;
        const std::string fileNow = logbook::indexLines(std::move(now.bytes)).bytes;
        std::string next;
        appendRange(next, writing, 0, span.begin);
        next += fileNow;
        appendRange(next, writing, span.end, UINT64_MAX);
        span.end = span.begin + fileNow.size();
        merged = std::move(next);
        mergedView = merged;
        writing = std::span<const std::string_view>(&mergedView, 1);
        // The file holds lines the list does not, until the list reads it.
        listBehind_ = true;
    }
    return false;
}

} // namespace kav::logbook
