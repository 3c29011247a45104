#include "logbook/Logbook.h"

#include "logbook/HeldLogbook.h"
#include "model/Control.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>
#include <system_error>
#include <utility>

#include <sys/resource.h>
#include <unistd.h>

namespace kav::logbook {

namespace {

// How many nice steps the writing thread stands back from the rest of the program.
constexpr int kWriterNiceStep = 10;

// What a helper thread does first: it leaves every signal to the main thread,
// whose handlers end the program with its closing save, and stands back
// `niceSteps` nice steps (Linux gives each thread its own nice value).
void becomeBackgroundThread(int niceSteps) {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) static_cast<void>(::setpriority(PRIO_PROCESS, self, std::min(nice + niceSteps, 19)));
}

MediaEnvironment inFolderOf(MediaEnvironment media, const std::string& path) {
    if (media.workingDirectory.empty()) media.workingDirectory = std::filesystem::path(path).parent_path();
    return media;
}

} // namespace

Logbook::Logbook(std::string path, Notice notice, MediaEnvironment media)
    : path_(std::move(path)), notice_(std::move(notice)), media_(inFolderOf(std::move(media), path_)) {}

Logbook::~Logbook() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (writer_.joinable()) writer_.join();
    if (reader_.joinable()) reader_.join();
}

void Logbook::readAhead() {
    if (path_.empty() || reader_.joinable()) return;
    try {
        reader_ = std::thread([this] { readAheadNow(); });
    } catch (const std::system_error&) {
        // No thread: the file is read when it is loaded.
    }
}

void Logbook::readAheadNow() {
    becomeBackgroundThread(0);
    try {
        ReadResult r = readFile(path_);
        if (r.outcome != ReadResult::Outcome::Read) return;
        aheadStamp_ = r.stamp;
        aheadImage_ = indexLines(std::move(r.bytes));
    } catch (...) {
        // The load reads the file itself and meets the trouble where it can answer it.
        aheadImage_.reset();
    }
}

void Logbook::holdSaves() { file_.holdSaves(LogbookFile::Hold::OtherCopy); }

void Logbook::show(Control& list) {
    list_ = &list;
    fileFirst_ = linesCovered_ = 0;
    linesSaving_.reset();
    tooLarge_ = false;
}

void Logbook::append(const std::string& line) { list_->AddItem(line); }

// The file's bytes become the list's own, indexed but not decoded: what was
// read ahead when the file is still the one read, else the file as it is now.
std::optional<LineImage> Logbook::readLines() {
    finishWrites();
    if (reader_.joinable()) {
        reader_.join();
        std::optional<LineImage> image = std::exchange(aheadImage_, std::nullopt);
        if (image && stampFile(path_) == aheadStamp_) {
            file_.adopt(path_, aheadStamp_);
            return image;
        }
    }
    if (path_.empty()) return std::nullopt;
    std::optional<std::string> bytes = file_.load(path_);
    if (!bytes) return std::nullopt;
    return indexLines(std::move(*bytes));
}

void Logbook::load() {
    fileFirst_ = list_->ListCount();
    try {
        std::optional<LineImage> image = readLines();
        if (image && !image->bytes.empty())
            list_->AddImage(std::move(image->bytes), std::move(image->marks));
        else
            append(std::string());
    } catch (const std::bad_alloc&) {
        // The file did not fit in memory: the session goes on with the list
        // it has, and never saves over the file it could not take in.
        tooLarge_ = true;
        append(std::string());
    }
    linesCovered_ = list_->ListCount();
}

void Logbook::save() { save(false); }

void Logbook::saveUnsaved() {
    save(true);
    finishWrites();
}

void Logbook::close() {
    ending_ = true;
    saveUnsaved();
}

void Logbook::save(bool closing) {
    if (tooLarge_ || !list_) return;
    // The saves asked for so far are done first: whether the last one
    // succeeded tells which lines the file holds now.
    if (finishWrites() && linesSaving_) {
        fileFirst_ = 0;
        linesCovered_ = *linesSaving_;
    }
    linesSaving_.reset();
    if (closing && list_->ListCount() == linesCovered_) return;
    try {
        FileChange change = lookAtFile();
        // A file that can no longer be read again is looked at once more, so
        // that the notice finds why.
        if (change == FileChange::Changed) change = readAgain() ? FileChange::None : lookAtFile();
        if (change == FileChange::Held || change == FileChange::Changed) return;
        if (change == FileChange::Gone && closing) return;
        const LineStore& store = list_->store();
        {
            const std::lock_guard lock(mutex_);
            waiting_ = Job{store.snapshot(), {store.offsetOf(fileFirst_), store.offsetOf(linesCovered_)}};
            if (!writer_.joinable()) writer_ = std::thread([this] { writeLoop(); });
        }
        wake_.notify_one();
        linesSaving_ = list_->ListCount();
    } catch (const std::bad_alloc&) {
        // Skipped like a failed write: the list keeps its lines for the next save.
    }
}

// Once a session, when the lines cannot reach the file for a reason that
// will not pass by itself, the user is told what stands in the way and what
// mends it. A full disk or a read-only medium is not told: those saves are
// tried again.
FileChange Logbook::lookAtFile() {
    const FileChange change = path_.empty() ? FileChange::Held : file_.check(path_);
    if (change != FileChange::Held || told_) return change;
    const std::string text = heldNotice(path_.empty() ? LogbookFile::Hold::NoFolder : file_.hold(), path_);
    if (text.empty()) return change;
    told_ = true;
    std::fprintf(stderr, "kavrilon: %s\n", text.c_str());
    if (notice_ && !ending_) notice_(text);
    return change;
}

// Puts the file as it is now in the place of the lines it held, keeping the
// lines this session added before and after them. False when the file can no
// longer be read; the save is then skipped.
bool Logbook::readAgain() {
    std::optional<std::string> bytes = file_.load(path_);
    if (!bytes) return false;
    LineImage image = indexLines(std::move(*bytes));
    const std::size_t fileLines = image.marks.lines();
    list_->ReplaceLines(fileFirst_, linesCovered_, std::move(image.bytes), std::move(image.marks));
    linesCovered_ = fileFirst_ + fileLines;
    return true;
}

bool Logbook::finishWrites() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !waiting_ && !busy_; });
    return lastOk_;
}

void Logbook::writeLoop() {
    // A save of a grown logbook copies tens of megabytes into the page cache.
    // The window's thread and the display server come first: on a busy
    // machine the save takes a little longer, and the window answers at once.
    becomeBackgroundThread(kWriterNiceStep);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (!waiting_) return; // stopping, and nothing is left
        Job job = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        bool ok = false;
        try {
            ok = file_.save(path_, job.bytes.views(), job.fileLines);
        } catch (...) {
            // Out of memory, or anything else the write met: a failed save
            // like any other, whose lines wait for the next one.
        }
        job = {}; // the shared bytes go before the writer says it is idle
        lock.lock();
        busy_ = false;
        lastOk_ = ok;
        idle_.notify_all();
    }
}

bool Logbook::remove(std::string_view name) {
    if (path_.empty()) return false;
    finishWrites();
    return Media(media_).remove(name);
}

bool Logbook::copy(std::string_view to) {
    if (path_.empty()) return false;
    finishWrites();
    return Media(media_).copy(kLogbookName, to);
}

} // namespace kav::logbook
