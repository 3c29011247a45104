#pragma once
// Writes files one at a time on a thread of its own, so that a save never
// holds up the window. A waiting write is dropped for a newer one to the same
// path; a write under way is never cut short, the newer one follows it.

#include "logbook/LogbookFormat.h"
#include "model/SharedBytes.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace kav::posix {

class WriteQueue {
public:
    // Does one write; called on the queue's thread only.
    using Writer = std::function<bool(const std::string& path, const SharedBytes& bytes, logbook::FileSpan fileLines)>;

    explicit WriteQueue(Writer writer);
    // Finishes every write asked for, then ends the thread.
    ~WriteQueue();

    void push(std::string path, SharedBytes bytes, logbook::FileSpan fileLines = {});
    // Returns when no write is waiting or under way: false when the last
    // write failed.
    bool finish();

private:
    struct Job {
        std::string path;
        SharedBytes bytes;
        logbook::FileSpan fileLines;
    };
    void run();

    Writer writer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    bool lastOk_ = true;
    std::thread thread_; // started by the first write
};

} // namespace kav::posix
