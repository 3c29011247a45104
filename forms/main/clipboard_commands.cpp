// Copying the colour code to the clipboard by button or by menu, clearing the
// clipboard, and the timer that puts the copy captions back 1800 ms after a
// copy. Each step stands on its own: a clipboard that another program holds
// only skips the clipboard step, and the captions and lamps still report it.
#include "forms/main/frmMain.h"

namespace kav {

namespace {

// The paste arrow and the "CTRL + V" hint.
void showPasteHint(frmMain& w, bool shown) {
    for (Control* c : {&w.Line1, &w.Line2, &w.Line3, &w.Line4, &w.Label3})
        c->Visible = shown;
}

// The steps both copy commands begin with: the paste arrow and hint, the
// captions that say the code lies on the clipboard, the copy itself, and the
// clear button and ready-to-paste lamp made ready.
void copyCodeToClipboard(frmMain& w) {
    showPasteHint(w, true);
    w.Text4.BackColor = lampGreen;
    w.cmdCopy.Caption = "Ligger nu i klippminnet..";
    w.Command3.Caption = "Rensa klipp minnet.. ";
    w.platform().clipboardClear();
    w.platform().clipboardSetText(w.txtColor.Text);
    w.Command3.Enabled = true;
    w.Text7.BackColor = lampGreen;
}

} // namespace

void frmMain::cmdCopy_Click() {
    copyCodeToClipboard(*this);
    Text13.BackColor = lampGreen;
    Timer1.Enabled = true;
    Timer8.Enabled = true;
}

// The menu command (Ctrl+C) is never disabled, so it copies even while the
// panel is stopped. Unlike the button it leaves the in-operation lamp alone,
// and it also marks its own caption.
void frmMain::kop_Click() {
    copyCodeToClipboard(*this);
    Timer1.Enabled = true;
    Timer8.Enabled = true;
    kop.Caption = "Ligger nu i klippminnet..  ";
}

void frmMain::Timer1_Timer() {
    cmdCopy.Caption = "Kopiera...";
    Timer1.Enabled = false;
    showPasteHint(*this, false);
    kop.Caption = "Kopiera till klippminnet.. ";
}

void frmMain::Command3_Click() {
    Text1.Text = "";
    Text7.BackColor = lampYellow;
    Command3.Caption = "Klipp minnet tomt..";
    Text4.BackColor = lampGreen;
    Command3.Enabled = false;
    platform().clipboardClear();
    Timer6.Enabled = true;
}

} // namespace kav
