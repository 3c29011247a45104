#pragma once
// The process-panel tests: the program started as at program start (design
// values, Form_Load, timers counting from zero), and a recorder of the
// property changes its handlers make.

#include "model/Colour.h"
#include "tests/support/ProgramFixture.h"

#include <string>
#include <vector>

namespace kav::test {

// Records every property change the window reports, as "Control.Property",
// in the order the handlers make them.
class ChangeRecorder final : public WindowObserver {
public:
    std::vector<std::string> changes;

    void controlChanged(Control& control, PropId id) override {
        changes.push_back(std::string(control.name()) + "." + propName(id));
    }
    void windowChanged(Window&, PropId id) override { changes.push_back(std::string("Form.") + propName(id)); }

private:
    static const char* propName(PropId id) {
        switch (id) {
        case PropId::Caption: return "Caption";
        case PropId::Text: return "Text";
        case PropId::Visible: return "Visible";
        case PropId::Enabled: return "Enabled";
        case PropId::BackColor: return "BackColor";
        case PropId::Lines: return "Lines";
        case PropId::Height: return "Height";
        case PropId::WindowState: return "WindowState";
        }
        return "?";
    }
};

class PanelTest : public ProgramTest {
protected:
    frmMain* w = nullptr;

    void SetUp() override { w = &start(); }

    std::vector<std::string> clipboardCalls() const { return fake.callsStartingWith("clipboard"); }

    // A button a user can reach: shown and enabled.
    static bool usable(const Control& c) { return c.Visible && c.Enabled; }
    static bool lit(const Control& c, int index) { return c.BackColor == palette(index); }

    // A window height that is exactly representable but not a whole number,
    // so a rounding height would show.
    static constexpr double kOddHeight = 4567.5;
};

} // namespace kav::test
