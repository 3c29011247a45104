#pragma once
// The logbook: the file kavrilon.ini from the start-up load to the last save,
// and the list that shows it. It reads the file ahead while the program
// starts, writes every save on one thread of its own, merges a change another
// program made meanwhile, holds the saves (and tells the user why, once) when
// the lines may not reach the file, and deletes and copies the file for the
// commands that do. It knows no window: it fills the list it is shown.

#include "logbook/LogbookFile.h"
#include "logbook/Media.h"
#include "model/SharedBytes.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace kav {
class Control;
}

namespace kav::logbook {

class Logbook {
public:
    // Tells the user, in a window, why this session's lines do not reach the
    // file. The same text always goes to standard error first.
    using Notice = std::function<void(const std::string& text)>;

    // The logbook at `path`; an empty path means the program has no folder
    // and saves nothing. Bare file names of the delete and copy commands are
    // found in the logbook's folder, drive letters on `media`.
    explicit Logbook(std::string path, Notice notice = {}, MediaEnvironment media = MediaEnvironment::fromSystem());
    // Finishes every save asked for.
    ~Logbook();
    Logbook(const Logbook&) = delete;
    Logbook& operator=(const Logbook&) = delete;

    // Starts reading the file on a thread, so that a logbook grown over years
    // costs the start little; the first load takes what it read while the
    // file is unchanged since.
    void readAhead();
    // Holds every save of this session: it runs without the folder's lock,
    // so another copy may be writing the same file.
    void holdSaves();

    // The list that shows the logbook from now on, as a new window holds it.
    void show(Control& list);
    void append(const std::string& line);
    // Appends the file's lines after whatever the list holds. A file that
    // cannot be read, or has no bytes, still appends one empty entry.
    void load();
    // Replaces the file with the list's lines, on the writing thread. A save
    // that fails leaves the old file whole, and the next one writes every line.
    void save();
    // The save as a session ends: only when the list holds lines no save has
    // written, never over a logbook deleted since, and it returns when
    // everything is on disk. close() does the same as the program ends, when
    // no window may be made: the notice goes to standard error alone.
    void saveUnsaved();
    void close();

    // The delete and copy commands, on the file as the saves asked so far
    // left it: `name` is a bare name or one on a drive ("A:\kavrilon.ini").
    bool remove(std::string_view name);
    bool copy(std::string_view to);

    // Returns when no save is waiting or under way: false when the last failed.
    bool finishWrites();

private:
    void save(bool closing);
    FileChange lookAtFile();
    bool readAgain();
    std::optional<LineImage> readLines();
    void writeLoop();
    void readAheadNow();

    const std::string path_;
    const Notice notice_;
    const MediaEnvironment media_;
    LogbookFile file_;
    bool told_ = false;
    bool ending_ = false;

    // The list, and which of its lines the file holds, [fileFirst_,
    // linesCovered_), as the last load or successful save left them; the save
    // under way's line count; and whether the logbook was too large to load
    // (it is then never saved over).
    Control* list_ = nullptr;
    std::size_t fileFirst_ = 0;
    std::size_t linesCovered_ = 0;
    std::optional<std::size_t> linesSaving_;
    bool tooLarge_ = false;

    // What was read ahead, set by the reading thread and looked at only
    // after it has ended.
    std::optional<LineImage> aheadImage_;
    FileStamp aheadStamp_;
    std::thread reader_;

    // The one save waiting for the writing thread; a newer save replaces it.
    struct Job {
        SharedBytes bytes;
        FileSpan fileLines;
    };
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    bool lastOk_ = true;
    std::thread writer_; // started by the first save
};

} // namespace kav::logbook
