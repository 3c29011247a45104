// The About window's handlers (hide, copy an address, keep the date label
// fresh) and what closing it by its frame means.
#include "forms/Program.h"
#include "forms/form1/Form1.h"

namespace kav {

void Form1::Command1_Click() { Hide(); }

void Form1::requestClose() { program().unloadForm1(); }

void Form1::Command2_Click() { copyAddress(Command2, Text1); }

void Form1::Command3_Click() { copyAddress(Command3, Text2); }

// The button stays disabled and the box keeps the paste hint for as long as
// the window is loaded; nothing puts them back.
void Form1::copyAddress(Control& button, Control& box) {
    button.Caption = "klistra in..";
    platform().clipboardClear();
    platform().clipboardSetText(box.Text);
    button.Enabled = false;
    box.Text = "CTRL + V..";
}

void Form1::Timer1_Timer() { Label3.Caption = platform().todayShortDate(); }

} // namespace kav
