// Reading the logbook ahead, mapped or read, and handing it over while it holds.
#include "platform/qt/LogbookReadAhead.h"

#include "platform/posix/BackgroundThread.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include <sys/mman.h>

namespace kav::qt {

namespace {

// The copy goes in steps of this size; the mapped pages of each step are let
// go once copied, so the two never take the file's size twice.
constexpr std::size_t kCopyStep = std::size_t{8} << 20;
// How far the copying thread stands back from the window's thread.
constexpr int kCopyNiceSteps = 10;

} // namespace

LogbookReadAhead::LogbookReadAhead(std::string path) : path_(std::move(path)) {
    try {
        reader_ = std::thread([this] { read(); });
    } catch (const std::system_error&) {
        // No thread: the file is read when it is asked for.
    }
}

LogbookReadAhead::~LogbookReadAhead() {
    stopping_ = true;
    finish();
}

void LogbookReadAhead::finish() {
    if (reader_.joinable()) reader_.join();
    if (copier_.joinable()) copier_.join();
}

void LogbookReadAhead::read() {
    posix::becomeBackgroundThread(0);
    try {
        if (std::shared_ptr<posix::LeasedMapping> mapping = posix::mapFileLeased(path_, kMapFrom)) {
            logbook::LineImage image;
            if (logbook::indexKeptLines(mapping->bytes(), image.marks)) {
                stamp_ = mapping->stamp();
                const std::string_view bytes = mapping->bytes();
                image.held = std::make_shared<HeldBytes>(std::move(mapping), bytes);
                image_ = std::move(image);
                return;
            }
            // Lines the list cannot keep as they are: read and mended below.
        }
        posix::ReadResult r = posix::readFile(path_);
        if (r.outcome != posix::ReadResult::Outcome::Read) return;
        stamp_ = r.stamp;
        image_ = logbook::indexLines(std::move(r.bytes));
    } catch (...) {
        // Out of memory or anything else: the caller reads the file itself
        // and meets the same trouble where it can answer it.
        image_.reset();
    }
}

void LogbookReadAhead::copy(std::shared_ptr<HeldBytes> held, const Post& post) {
    posix::becomeBackgroundThread(kCopyNiceSteps);
    try {
        const std::string_view mapped = held->view();
        auto copy = std::make_shared<std::string>();
        copy->reserve(mapped.size());
        posix::adviseHugePages(copy->data(), mapped.size());
        for (std::size_t at = 0; at < mapped.size(); at += kCopyStep) {
            if (stopping_) return;
            const std::size_t n = std::min(kCopyStep, mapped.size() - at);
            copy->append(mapped.substr(at, n));
            // The mapping starts on a page, and the steps are whole pages.
            ::madvise(const_cast<char*>(mapped.data() + at), n, MADV_DONTNEED);
        }
        const std::string_view view(*copy);
        post([held = std::move(held), copy = std::move(copy), view]() mutable { held->replace(std::move(copy), view); });
    } catch (...) {
        // No memory for the copy: the mapping stays, under its lease, for the
        // rest of the session.
    }
}

std::optional<LogbookReadAhead::Taken> LogbookReadAhead::take(const std::string& path, Post post) {
    if (reader_.joinable()) reader_.join();
    std::optional<logbook::LineImage> image = std::exchange(image_, std::nullopt);
    if (!image || path != path_ || posix::stampFile(path) != stamp_) return std::nullopt;
    if (image->held) {
        try {
            copier_ = std::thread([this, held = image->held, post = std::move(post)]() mutable {
                copy(std::move(held), post);
            });
        } catch (const std::system_error&) {
            // No thread: the mapping stays, under its lease.
        }
    }
    return Taken{std::move(*image), stamp_.id};
}

} // namespace kav::qt
