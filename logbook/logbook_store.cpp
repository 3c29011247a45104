// TODO-STUB: the logbook procedures.
#include "forms/frmMain.h"

namespace kav {

void frmMain::List_Add(Control& list, const std::string& text) { list.AddItem(text); }
void frmMain::List_Load(Control&, const std::string&) {}
void frmMain::List_Save(Control&, const std::string&) {}
void frmMain::journalLine(const std::string& message) {
    Text8.Text = message;
    List1.AddItem(Text8.Text);
}

} // namespace kav
