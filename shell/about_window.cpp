// The About window's handlers (hide, copy an address, keep the date label
// fresh), the process picture's Exit button, and what closing either by its
// frame means.
#include "forms/Form1.h"
#include "forms/Form2.h"

namespace kav {

Form1::Form1(Program& program) : Window(Form1Design()), program_(&program) {
    bind("Command1", Event::Click, [this](const EventArgs&) { Hide(); });
    bind("Command2", Event::Click, [this](const EventArgs&) { copyAddress(Command2, Text1); });
    bind("Command3", Event::Click, [this](const EventArgs&) { copyAddress(Command3, Text2); });
    bind("Timer1", Event::Timer, [this](const EventArgs&) { Label3.Caption = platform().todayShortDate(); });
}

void Form1::requestClose() { program().unloadForm1(); }

// The button stays disabled and the box keeps the paste hint for as long as
// the window is loaded; nothing puts them back.
void Form1::copyAddress(Control& button, Control& box) {
    button.Caption = "klistra in..";
    platform().clipboardClear();
    platform().clipboardSetText(box.Text);
    button.Enabled = false;
    box.Text = "CTRL + V..";
}

Form2::Form2(Program& program) : Window(Form2Design()), program_(&program) {
    bind("Command1", Event::Click, [this](const EventArgs&) { Hide(); });
}

void Form2::requestClose() { program_->unloadForm2(); }

} // namespace kav
