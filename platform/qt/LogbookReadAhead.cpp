#include "platform/qt/LogbookReadAhead.h"

#include "platform/posix/BackgroundThread.h"

#include <system_error>
#include <utility>

namespace kav::qt {

LogbookReadAhead::LogbookReadAhead(std::string path) : path_(std::move(path)) {
    try {
        reader_ = std::thread([this] { read(); });
    } catch (const std::system_error&) {
        // No thread: the file is read when it is asked for.
    }
}

LogbookReadAhead::~LogbookReadAhead() { finish(); }

void LogbookReadAhead::finish() {
    if (reader_.joinable()) reader_.join();
}

void LogbookReadAhead::read() {
    posix::becomeBackgroundThread(0);
    try {
        posix::ReadResult r = posix::readFile(path_);
        if (r.outcome != posix::ReadResult::Outcome::Read) return;
        stamp_ = r.stamp;
        image_ = logbook::indexLines(std::move(r.bytes));
    } catch (...) {
        // The caller reads the file itself and meets the trouble where it can answer it.
        image_.reset();
    }
}

std::optional<LogbookReadAhead::Taken> LogbookReadAhead::take(const std::string& path) {
    finish();
    std::optional<logbook::LineImage> image = std::exchange(image_, std::nullopt);
    if (!image || path != path_ || posix::stampFile(path) != stamp_) return std::nullopt;
    return Taken{std::move(*image), stamp_};
}

} // namespace kav::qt
