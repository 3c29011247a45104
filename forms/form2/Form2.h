#pragma once
// The process-picture window "PLC - system": a picture of a process plant and
// an Exit button that hides the window.

#include "forms/Platform.h"
#include "model/Window.h"

namespace kav {

class Program;

const FormDef& Form2Design();

class Form2 final : public Window {
public:
    Form2(Program& program, Platform& platform);

    void Command1_Click();
    // Closing the window by its frame removes it; the next use creates it anew.
    void requestClose() override;

private:
    Program* program_;
};

} // namespace kav
