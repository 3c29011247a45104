#pragma once
// The About window: the program's name and contact lines, two address boxes
// with buttons that copy them to the clipboard, and a date label kept fresh
// by a 10 ms timer.

#include "forms/Platform.h"
#include "model/Window.h"

namespace kav {

class Program;

const FormDef& Form1Design();

class Form1 final : public Window {
public:
    Form1(Program& program, Platform& platform);

    Program& program() const { return *program_; }
    Platform& platform() const { return *platform_; }

    // The controls its handlers use.
    Control& Text2{ctl("Text2")};
    Control& Command3{ctl("Command3")};
    Control& Text1{ctl("Text1")};
    Control& Command2{ctl("Command2")};
    Control& Label3{ctl("Label3")};

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();
    // Closing the window by its frame removes it; the next use creates it anew.
    void requestClose() override;

    // The copy-address steps for one button and its box.
    void copyAddress(Control& button, Control& box);

private:
    Program* program_;
    Platform* platform_;
};

} // namespace kav
