// The logbook procedures of the main window: appending an entry, loading the
// logbook file into the list and saving the list as the logbook file, through
// the platform, which reads a file whole and replaces it atomically. A save
// that finds the file changed by another program reads it again and puts it
// in the place of the lines the file held, so both the other program's change
// and the lines this session added since reach the file.
#include "forms/main/frmMain.h"
#include "logbook/LogbookFormat.h"

#include <new>
#include <optional>
#include <string>

namespace kav {

void frmMain::List_Add(Control& list, const std::string& text) { list.AddItem(text); }

// Appends the file's lines after whatever the list holds. A file that cannot
// be read, or has no bytes, still appends one empty entry: the line buffer
// starts empty and is appended once before the end of the file is tested.
void frmMain::List_Load(Control& list, const std::string& path) {
    fileFirst_ = list.ListCount();
    try {
        // The file's bytes become the list's own, indexed but not decoded.
        std::optional<logbook::LineImage> image = platform().readLines(path);
        if (image && !image->bytes.empty())
            list.AddImage(std::move(image->bytes), std::move(image->marks));
        else
            List_Add(list, std::string());
    } catch (const std::bad_alloc&) {
        // The file did not fit in memory: the session goes on with the list
        // it has, and never saves over the file it could not take in.
        logbookTooLarge_ = true;
        List_Add(list, std::string());
    }
    linesCovered_ = list.ListCount();
}

// Replaces the file with the list's entries: the platform gets a snapshot of
// the list's bytes, which it may write after this returns. When the write
// fails (running out of memory too) the old file stays as it was, nothing is
// reported, and the next save writes every line.
void frmMain::List_Save(Control& list, const std::string& path) { saveLogbook(list, path, false); }

// The closing save: only when the list holds lines that no save has written,
// and never when the logbook was deleted since the last load or save, so a
// delete sticks. It returns when everything is on disk.
void frmMain::saveUnsavedLines() {
    saveLogbook(List1, logbookPath(), true);
    platform().finishWrites();
}

void frmMain::saveLogbook(Control& list, const std::string& path, bool closing) {
    if (logbookTooLarge_) return;
    // The saves asked for so far are done first: whether the last one
    // succeeded tells which lines the file holds now.
    if (platform().finishWrites() && linesSaving_) {
        fileFirst_ = 0;
        linesCovered_ = *linesSaving_;
    }
    linesSaving_.reset();
    if (closing && list.ListCount() == linesCovered_) return;
    try {
        logbook::FileChange change = platform().logbookChange(path);
        // A file that can no longer be read again is looked at once more, so
        // the platform finds why.
        if (change == logbook::FileChange::Changed)
            change = readAgain(list, path) ? logbook::FileChange::None : platform().logbookChange(path);
        if (change == logbook::FileChange::Held || change == logbook::FileChange::Changed) return;
        if (change == logbook::FileChange::Gone && closing) return;
        const LineStore& store = list.store();
        platform().writeFileAtomicLater(path, store.snapshot(),
                                        {store.offsetOf(fileFirst_), store.offsetOf(linesCovered_)});
        linesSaving_ = list.ListCount();
    } catch (const std::bad_alloc&) {
        // Skipped like a failed write: the list keeps its lines for the next save.
    }
}

// Puts the file as it is now in the place of the lines it held, keeping the
// lines this session added before and after them. False when the file can no
// longer be read; the save is then skipped.
bool frmMain::readAgain(Control& list, const std::string& path) {
    std::optional<logbook::LineImage> image = platform().readLines(path);
    if (!image) return false;
    const std::size_t fileLines = image->marks.lines();
    list.ReplaceLines(fileFirst_, linesCovered_, std::move(image->bytes), std::move(image->marks));
    linesCovered_ = fileFirst_ + fileLines;
    return true;
}

void frmMain::journalLine(const std::string& message) {
    Text8.Text = message;
    List1.AddItem(Text8.Text);
}

} // namespace kav
