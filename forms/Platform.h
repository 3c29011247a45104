#pragma once
// Every operating-system service the handlers use, behind one interface. The
// Qt/Linux implementation and the tests' recording fake both implement it.
// Results are returned so a caller may look at them; handlers ignore them
// unless the program's behaviour depends on the outcome (the delete).

#include "logbook/LogbookFormat.h"
#include "model/Colour.h"
#include "model/SharedBytes.h"
#include "model/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace kav {

class Window;

class Platform {
public:
    virtual ~Platform() = default;

    // Clipboard: clear, and put a plain text (UTF-8) on it.
    virtual bool clipboardClear() = 0;
    virtual bool clipboardSetText(const std::string& text) = 0;

    // The colour dialog, modal to `owner`. Returns the chosen colour as a
    // colour value (red + 256 * green + 65536 * blue), or nothing when the
    // user cancelled or the dialog could not be shown.
    virtual std::optional<Colour> chooseColour(Window& owner) = 0;

    // Starts the program that stands in for a launcher item, without
    // waiting. False when nothing could be started.
    virtual bool launch(const LaunchItem& item) = 0;

    // Shell file operations on Windows-style names: "kavrilon.ini" is resolved
    // against the working directory, "A:\kavrilon.ini" and "E:\kavrilon.ini"
    // (and "D:\") against the user's removable media. True on success.
    virtual bool shellCopy(std::string_view from, std::string_view to) = 0;
    virtual bool shellDelete(std::string_view path) = 0;

    // Modal message box with an OK button and the information icon.
    virtual void messageBox(Window& owner, std::string_view text, std::string_view title) = 0;

    // Modal About box owned by `owner`, showing both texts and the program's icon.
    virtual void aboutBox(Window& owner, std::string_view appText, std::string_view otherText) = 0;

    // The shut-down dialog: nothing happens without the user's choice in it.
    virtual void shutdownDialog() = 0;

    // Opens or closes the CD tray and returns when the tray has moved.
    virtual bool cdDoor(bool open) = 0;

    // Today's date, without the time of day, in the desktop's short format.
    virtual std::string todayShortDate() = 0;

    // The logbook file: its full path, reading all its bytes, and replacing
    // it whole so that a failed write never destroys the old file.
    virtual std::string logbookPath() = 0;
    // Looks at the logbook file at `path` before a save; the caller has
    // finished the writes asked for earlier (finishWrites). When saves are
    // held the platform tells the user, once. This version sees nothing
    // change.
    virtual logbook::FileChange logbookChange(const std::string& /*path*/) { return logbook::FileChange::None; }
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // The file at `path` as the logbook list keeps it: its bytes and where
    // its lines start; nothing when readFile gives nothing. Finding the lines
    // may run out of memory (std::bad_alloc). This version reads the file and
    // finds its lines now.
    virtual std::optional<logbook::LineImage> readLines(const std::string& path);
    virtual bool writeFileAtomic(const std::string& path, std::string_view bytes) = 0;
    // Replaces the file with `bytes` as writeFileAtomic does, but may do it
    // after returning, away from the user-interface thread. Writes happen one
    // at a time in the order they were asked for; a write still waiting when
    // a newer one to the same path comes is dropped for it. `fileLines` says
    // which of the bytes stand for the logbook file as last loaded or saved,
    // for a save that finds it changed meanwhile. This version writes at once.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink; the real platform moves it to its writer thread.
    virtual void writeFileAtomicLater(const std::string& path, SharedBytes bytes, logbook::FileSpan /*fileLines*/) {
        lastLaterWriteOk_ = writeFileAtomic(path, bytes.joined());
    }
    // Returns when every write asked for has been done: false when the last
    // write failed.
    virtual bool finishWrites() { return lastLaterWriteOk_; }

    // Ends the program, whatever windows and dialogs are open.
    virtual void endProgram() = 0;

private:
    bool lastLaterWriteOk_ = true;
};

} // namespace kav
