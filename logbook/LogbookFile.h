#pragma once
// The logbook file as this session knows it, between the start-up load and
// every later save, so that a save never destroys what it could not read,
// never replaces a file other than the one the session knows, and notices
// when another program changed the file in between.
//
// Saves are held while the logbook exists but cannot be read, and while the
// logbook or the program folder belongs to another user (root started in a
// user's folder reads the logbook and saves nothing). A loaded or saved
// logbook is replaced only while it is still that file with those contents;
// when another program changed it, the caller reads it again first (check()
// says so), and when it has gone, a save creates it again.
//
// Loads and saves may come from different threads; one save at a time runs.

#include "logbook/LogbookFormat.h"
#include "logbook/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kav::logbook {

// The name of the logbook file in the program folder.
inline constexpr std::string_view kLogbookName = "kavrilon.ini";
// The file in the folder whose lock the running copy holds.
inline constexpr const char* kLockName = ".kavrilon.ini.lock";

// The logbook's path in `folder`; empty (no logbook) when the folder is.
std::string logbookPathIn(const std::filesystem::path& folder);

class LogbookFile {
public:
    // Why the session's lines cannot reach the file, for as long as it lasts.
    enum class Hold {
        None,
        OthersFile, // the logbook or its folder belongs to another user
        OtherCopy,  // this session could not lock the folder against other copies
        Unreadable, // the logbook is there but cannot be read
        NoFolder,   // the program has no folder to keep it in
    };

    explicit LogbookFile(std::size_t readLimit = kMaxReadBytes) : readLimit_(readLimit) {}

    // The bytes of the file at `path` (nothing when missing or unreadable),
    // which becomes the logbook this object looks after.
    std::optional<std::string> load(const std::string& path);
    // Takes `path` as the logbook, loaded from the file `stamp` by other means.
    void adopt(const std::string& path, const FileStamp& stamp);

    // Looks at the logbook at `path` now, against what was last loaded or
    // saved; when Held, hold() says why. Another path is never held or changed.
    FileChange check(const std::string& path);
    // Why saves are held, as the last check() or load found it.
    Hold hold() const;
    // Holds every save to the logbook from now on.
    void holdSaves(Hold why);

    // Replaces the file at `path` with `bytes`, given in pieces; the
    // logbook's own is skipped (false) while saves are held or when it is no
    // longer the file known. When `fileLines` says where the lines of the
    // file known lie among them, a save that finds the file changed by
    // another program, even while it was writing, reads the file (once its
    // writer has stopped writing), puts it in their place, and saves that;
    // the next check() then says Changed, so the list takes the file as it is.
    bool save(const std::string& path, std::span<const std::string_view> bytes,
              std::optional<logbook::FileSpan> fileLines = std::nullopt);

private:
    const std::size_t readLimit_;
    mutable std::mutex mutex_;
    std::string path_;
    Hold standing_ = Hold::None; // set for the whole session
    Hold found_ = Hold::None;    // what the last check found
    std::optional<FileStamp> known_;
    // Whether the file saved holds lines the list does not, put in by a save.
    bool listBehind_ = false;
};

} // namespace kav::logbook
