// The logbook procedures of the main window: appending an entry, loading the
// logbook file into the list and saving the list as the logbook file. The
// file's bytes come and go through the platform, which reads a file whole and
// replaces it atomically; the format is in LogbookFormat, and the list
// keeps its lines as the file's bytes (LineStore).
//
// The window counts how many of the list's lines the last load or successful
// save covered, so the closing save can tell whether anything is left to keep.
#include "forms/frmMain.h"
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
    try {
        // The file's bytes become the list's own, indexed but not decoded, and
        // the list is told of the new lines once.
        std::optional<logbook::LineImage> image = platform().readLines(path);
        if (image && image->held)
            list.AddImage(std::move(image->held), std::move(image->marks));
        else if (image && !image->bytes.empty())
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

// Replaces the file with the list's entries. The list already holds them as
// the file's bytes, so the save hands the platform a snapshot of those bytes,
// which it may write after this returns; lines added meanwhile wait for the
// next save. When the write fails the old file stays as it was, the list
// keeps its entries and nothing is reported; the next save writes them all.
// Running out of memory is such a failure too.
void frmMain::List_Save(Control& list, const std::string& path) {
    if (logbookTooLarge_) return;
    try {
        platform().writeFileAtomicLater(path, list.store().snapshot());
        linesCovered_ = list.ListCount();
    } catch (const std::bad_alloc&) {
        // Skipped like a failed write: the list keeps its lines for the next save.
    }
}

// The closing save: only when the list holds lines that no save has written
// since the last load or save, so a logbook deleted since the last save stays
// deleted, and one nobody added to is not written again. Saves still under
// way finish first; when the last of them failed, its lines are not on disk
// and this save writes them. It returns when everything is on disk.
void frmMain::saveUnsavedLines() {
    if (!platform().finishWrites()) linesCovered_ = 0;
    if (List1.ListCount() != linesCovered_) List_Save(List1, logbookPath());
    platform().finishWrites();
}

void frmMain::journalLine(const std::string& message) {
    Text8.Text = message;
    List1.AddItem(Text8.Text);
}

} // namespace kav
