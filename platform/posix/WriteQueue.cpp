#include "platform/posix/WriteQueue.h"

#include "platform/posix/BackgroundThread.h"

namespace kav::posix {

// How many nice steps the writing thread stands back from the rest of the program.
constexpr int kWriterNiceStep = 10;

WriteQueue::WriteQueue(Writer writer) : writer_(std::move(writer)) {}

WriteQueue::~WriteQueue() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void WriteQueue::push(std::string path, SharedBytes bytes, logbook::FileSpan fileLines) {
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(waiting_, [&](const Job& job) { return job.path == path; });
        waiting_.push_back({std::move(path), std::move(bytes), fileLines});
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

bool WriteQueue::finish() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return waiting_.empty() && !busy_; });
    return lastOk_;
}

void WriteQueue::run() {
    // A save of a grown logbook copies tens of megabytes into the page cache.
    // The window's thread and the display server come first: on a busy
    // machine the save takes a little longer, and the window answers at once.
    becomeBackgroundThread(kWriterNiceStep);

    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return; // stopping, and nothing is left
        Job job = std::move(waiting_.front());
        waiting_.pop_front();
        busy_ = true;
        lock.unlock();
        bool ok = false;
        try {
            ok = writer_(job.path, job.bytes, job.fileLines);
        } catch (...) {
            // Out of memory, or anything else the write met: a failed save
            // like any other, whose lines wait for the next one.
        }
        job = {}; // the shared bytes go before the queue says it is idle
        lock.lock();
        busy_ = false;
        lastOk_ = ok;
        if (waiting_.empty()) idle_.notify_all();
    }
}

} // namespace kav::posix
