#pragma once
// The process-picture window "PLC - system": a picture of a process plant and
// an Exit button that hides the window.

#include "forms/Program.h"
#include "model/Window.h"

namespace kav {

const FormDef& Form2Design();

class Form2 final : public Window {
public:
    // The picture window needs nothing of the program; it is made as the
    // other windows are.
    explicit Form2(Program& program);

    Control& Command1{ctl("Command1")};

    void Command1_Click();
};

} // namespace kav
