#pragma once
// Shared set-up for the process-panel tests: the real program on a virtual
// clock with the recording platform in a temporary folder, started as at
// program start (design values, Form_Load, timers counting from zero).

#include "forms/Program.h"
#include "forms/frmMain.h"
#include "model/Colour.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

class PanelTest : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform platform{dir.path()};
    VirtualClock clock;
    Program program{platform, clock};
    frmMain* w = nullptr;

    void SetUp() override {
        program.start();
        w = &program.main();
    }

    void advance(std::int64_t ms) { program.timers().advance(clock, ms); }
    // Moves the clock on to `ms` after program start.
    void advanceTo(std::int64_t ms) {
        ASSERT_GE(ms, clock.nowMs());
        advance(ms - clock.nowMs());
    }

    bool click(std::string_view control) { return w->raise(control, Event::Click); }

    // The journal lines appended since the list held `mark` lines.
    std::vector<std::string> linesSince(std::size_t mark) const {
        const auto& all = w->List1.lines();
        return {all.begin() + static_cast<std::ptrdiff_t>(mark), all.end()};
    }
    std::size_t mark() const { return w->List1.ListCount(); }

    std::vector<std::string> clipboardCalls() const { return platform.callsStartingWith("clipboard"); }

    // A button a user can reach: shown and enabled.
    static bool usable(const Control& c) { return c.Visible && c.Enabled; }
    static bool lit(const Control& c, int index) { return c.BackColor == palette(index); }

    // A window height that is exactly representable but not a whole number,
    // so a rounding height would show.
    static constexpr double kOddHeight = 4567.5;
};

} // namespace kav::test
