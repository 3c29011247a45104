// The logbook procedures of the main window: appending an entry, loading the
// logbook file into the list and saving the list as the logbook file. The
// file's bytes come and go through the platform, which reads a file whole and
// replaces it atomically; the format is in LogbookFormat.
#include "forms/frmMain.h"
#include "logbook/LogbookFormat.h"

#include <optional>
#include <string>

namespace kav {

void frmMain::List_Add(Control& list, const std::string& text) { list.AddItem(text); }

// Appends the file's lines after whatever the list holds. A file that cannot
// be read, or has no bytes, still appends one empty entry: the line buffer
// starts empty and is appended once before the end of the file is tested.
void frmMain::List_Load(Control& list, const std::string& path) {
    const std::optional<std::string> bytes = platform().readFile(path);
    if (!bytes || bytes->empty()) {
        List_Add(list, std::string());
        return;
    }
    // One append for the whole file, so the list is told of the new lines once.
    list.AddItems(logbook::decodeEntries(*bytes));
}

// Replaces the file with the list's entries. When the write fails the old
// file stays as it was, the list keeps its entries and nothing is reported;
// the next save writes them all.
void frmMain::List_Save(Control& list, const std::string& path) {
    static_cast<void>(platform().writeFileAtomic(path, logbook::encodeEntries(list.lines())));
}

void frmMain::journalLine(const std::string& message) {
    Text8.Text = message;
    List1.AddItem(Text8.Text);
}

} // namespace kav
