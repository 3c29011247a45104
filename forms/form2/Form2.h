#pragma once
// The process-picture window "PLC - system": a picture of a process plant and
// an Exit button that hides the window.

#include "forms/Program.h"
#include "model/Window.h"

namespace kav {

const FormDef& Form2Design();

class Form2 final : public Window {
public:
    explicit Form2(Program& program);

    Control& Command1{ctl("Command1")};

    void Command1_Click();
    // Closing the window by its frame removes it; the next use creates it anew.
    void requestClose() override;

private:
    Program* program_;
};

} // namespace kav
